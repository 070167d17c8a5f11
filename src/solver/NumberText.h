#pragma once

#include <string>
#include <string_view>

namespace quadrello {

// Text to number: the longest leading number of the text, blanks, tabs and line feeds skipped
// wherever they stand; "&H"/"&O" integers; 0 when there is none. Never fails.
struct ParsedNumber {
    double value = 0;
    // False when the text's number lies beyond the double range (value is then ±infinity), or
    // when a hexadecimal or octal value does not fit in 32 bits.
    bool inRange = true;
};
ParsedNumber ParseNumberChecked(std::string_view text);
inline double ParseNumber(std::string_view text) {
    return ParseNumberChecked(text).value;
}

// The general rule: 15 significant digits, no trailing zeros or point, exponent notation from
// decimal exponent 15 up and -5 down ("1E+15", "1E-05").
std::string NumberToText(double x);

// The pattern "0." followed by `places` "#": 15 significant digits, then rounded to `places`
// decimals halves away from zero; the point is always written ("2.", "-0.", "0.5").
std::string FormatFixed(double x, int places);

// The same pattern for a single-precision value, whose first rounding keeps 7 digits.
std::string FormatFixed(float x, int places);

}  // namespace quadrello
