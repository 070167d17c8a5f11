#pragma once

#include <string_view>

namespace quadrello {

// A finite number rounded to a count of significant decimal digits:
// value = (negative ? -1 : 1) × d0.d1d2… × 10^exponent, with no trailing zeros in the digits.
// Zero is the single digit "0" with exponent 0 (and keeps the sign of negative zero).
struct DecimalDigits {
    static constexpr int kMaxDigits = 17;  // enough for any double

    bool negative = false;
    int exponent = 0;
    int count = 1;
    char digits[kMaxDigits] = {'0'};

    std::string_view Digits() const { return {digits, static_cast<std::size_t>(count)}; }
    bool IsZero() const { return count == 1 && digits[0] == '0'; }
};

// Correctly rounded conversion of the binary value (halves to even, as std::to_chars does).
// significantDigits lies in 1..kMaxDigits.
DecimalDigits RoundToSignificant(double x, int significantDigits);
DecimalDigits RoundToSignificant(float x, int significantDigits);

}  // namespace quadrello
