#pragma once

#include <string>
#include <string_view>

namespace quadrello::cli {

// A JSON string literal: quotes, backslashes and control characters escaped; other bytes (UTF-8)
// as they are.
void AppendJsonString(std::string& out, std::string_view text);

// A JSON number in the shortest form that reads back to the same double ("-0" for negative
// zero); null for infinities and NaN, which JSON cannot hold.
void AppendJsonNumber(std::string& out, double value);

}  // namespace quadrello::cli
