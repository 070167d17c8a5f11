#pragma once

#include <ostream>
#include <string>

namespace quadrello::test {

// The first field of a table row that has a name: failure reports print the row by it, and
// CaseName names each instantiated test after it. Rows derive from it and list the name first.
struct NamedCase {
    const char* name;
};

inline std::ostream& operator<<(std::ostream& os, const NamedCase& row) {
    return os << row.name;
}

inline constexpr auto CaseName = [](const auto& info) { return std::string(info.param.name); };

}  // namespace quadrello::test
