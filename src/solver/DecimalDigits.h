#pragma once

#include <string>

namespace quadrello {

// A finite number rounded to a count of significant decimal digits:
// value = (negative ? -1 : 1) × d0.d1d2… × 10^exponent, with no trailing zeros in `digits`.
// Zero is the single digit "0" with exponent 0 (and keeps the sign of negative zero).
struct DecimalDigits {
    bool negative = false;
    std::string digits = "0";
    int exponent = 0;

    bool IsZero() const { return digits == "0"; }
};

// Correctly rounded conversion of the binary value (halves to even, as std::to_chars does).
DecimalDigits RoundToSignificant(double x, int significantDigits);
DecimalDigits RoundToSignificant(float x, int significantDigits);

}  // namespace quadrello
