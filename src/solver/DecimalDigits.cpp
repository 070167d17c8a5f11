#include "solver/DecimalDigits.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

namespace quadrello {
namespace {

template <typename Float>
DecimalDigits Round(Float x, int significantDigits) {
    DecimalDigits result;
    if (!std::isfinite(x)) {
        return result;
    }
    significantDigits = std::clamp(significantDigits, 1, DecimalDigits::kMaxDigits);
    // std::to_chars writes "-d.ddde+XX": sign, digits, point and exponent of any finite value.
    char buffer[48];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, x,
                                         std::chars_format::scientific, significantDigits - 1);
    if (ec != std::errc{}) {
        return result;
    }
    const char* p = buffer;
    if (*p == '-') {
        result.negative = true;
        ++p;
    }
    int count = 0;
    for (; p < end && *p != 'e'; ++p) {
        if (*p != '.') {
            result.digits[count++] = *p;
        }
    }
    while (count > 1 && result.digits[count - 1] == '0') {
        --count;
    }
    result.count = count;
    if (result.IsZero()) {
        return result;
    }
    ++p;  // past 'e'
    if (p < end && *p == '+') {
        ++p;
    }
    std::from_chars(p, end, result.exponent);
    return result;
}

}  // namespace

DecimalDigits RoundToSignificant(double x, int significantDigits) {
    return Round(x, significantDigits);
}

DecimalDigits RoundToSignificant(float x, int significantDigits) {
    return Round(x, significantDigits);
}

}  // namespace quadrello
