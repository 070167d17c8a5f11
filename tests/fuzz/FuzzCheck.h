#pragma once

// Small helpers shared by the fuzz targets: splitting one input into fields, and a check that
// stops the run with a readable reason (libFuzzer then saves the input as a reproducer).

#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace quadrello::fuzz {

inline constexpr char kFieldSeparator = '|';

// The input cut at every separator; missing fields are empty.
inline std::vector<std::string_view> SplitFields(std::string_view input, std::size_t count) {
    std::vector<std::string_view> fields(count);
    for (std::size_t i = 0; i + 1 < count && !input.empty(); ++i) {
        const std::size_t end = input.find(kFieldSeparator);
        fields[i] = input.substr(0, end);
        input = end == std::string_view::npos ? std::string_view{} : input.substr(end + 1);
    }
    if (count > 0) {
        fields[count - 1] = input;  // the last field takes the rest, separators included
    }
    return fields;
}

[[noreturn]] inline void Fail(const char* what, std::string_view detail = {}) {
    std::fprintf(stderr, "fuzz check failed: %s [%.*s]\n", what, static_cast<int>(detail.size()),
                 detail.data());
    std::abort();
}

inline void Check(bool ok, const char* what, std::string_view detail = {}) {
    if (!ok) {
        Fail(what, detail);
    }
}

}  // namespace quadrello::fuzz
