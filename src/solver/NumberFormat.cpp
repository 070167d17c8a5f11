// Number to text: the general rule and the "0.###…" pattern rule. No locale enters here.
#include <algorithm>
#include <cmath>
#include <string>

#include "solver/DecimalDigits.h"
#include "solver/NumberText.h"

namespace quadrello {
namespace {

constexpr int kDoubleDigits = 15;
constexpr int kSingleDigits = 7;
// Plain notation holds decimal exponents from kLowestPlainExponent to kHighestPlainExponent.
constexpr int kHighestPlainExponent = 14;
constexpr int kLowestPlainExponent = -4;

std::string NonFiniteText(double x) {
    if (std::isnan(x)) {
        return "NaN";
    }
    return x < 0 ? "-Infinity" : "Infinity";
}

void AppendExponent(std::string& out, int exponent) {
    out += exponent < 0 ? "E-" : "E+";
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude < 10) {
        out += '0';
    }
    out += std::to_string(magnitude);
}

// Writes digits × 10^exponent (d0.d1d2…) in plain notation: the integer part (at least "0"),
// then the point and the fraction. The point is written when there is a fraction, or always.
void AppendPlain(std::string& out, std::string_view digits, int exponent, bool alwaysPoint) {
    if (exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
        return;
    }
    const std::size_t integerLength = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integerLength) {
        out += digits;
        out.append(integerLength - digits.size(), '0');
        if (alwaysPoint) {
            out += '.';
        }
        return;
    }
    out += digits.substr(0, integerLength);
    out += '.';
    out += digits.substr(integerLength);
}

// The pattern rule on an already rounded decimal: round to `places` decimals, halves away from
// zero, and write it with its point always present.
std::string FormatDecimal(DecimalDigits d, int places) {
    if (d.IsZero()) {
        return "0.";
    }
    places = std::max(places, 0);
    // Digits at index < kept lie at or above the last place kept (10^-places).
    const long long kept = static_cast<long long>(d.exponent) + places + 1;
    if (kept < d.count) {
        const bool roundUp = kept >= 0 && d.digits[kept] >= '5';
        int count = static_cast<int>(std::max(kept, 0LL));
        if (roundUp) {
            while (count > 0 && d.digits[count - 1] == '9') {
                --count;  // 9s carry over and become trailing zeros, which are dropped
            }
            if (count == 0) {
                // every kept digit was a 9 (or none was kept): the value becomes 10^(exponent+1)
                d.digits[0] = '1';
                count = 1;
                ++d.exponent;
            } else {
                ++d.digits[count - 1];
            }
        }
        while (count > 1 && d.digits[count - 1] == '0') {
            --count;
        }
        d.count = count;
        if (count == 0) {
            return d.negative ? "-0." : "0.";
        }
    }
    std::string out;
    out.reserve(static_cast<std::size_t>(std::max(d.exponent, 0) + places) + 4);
    if (d.negative) {
        out += '-';
    }
    AppendPlain(out, d.Digits(), d.exponent, true);
    return out;
}

}  // namespace

std::string NumberToText(double x) {
    if (!std::isfinite(x)) {
        return NonFiniteText(x);
    }
    const DecimalDigits d = RoundToSignificant(x, kDoubleDigits);
    if (d.IsZero()) {
        return "0";
    }
    std::string out;
    if (d.negative) {
        out += '-';
    }
    const std::string_view digits = d.Digits();
    if (d.exponent > kHighestPlainExponent || d.exponent < kLowestPlainExponent) {
        out += digits[0];
        if (digits.size() > 1) {
            out += '.';
            out += digits.substr(1);
        }
        AppendExponent(out, d.exponent);
        return out;
    }
    AppendPlain(out, digits, d.exponent, false);
    return out;
}

std::string FormatFixed(double x, int places) {
    if (!std::isfinite(x)) {
        return NonFiniteText(x);
    }
    return FormatDecimal(RoundToSignificant(x, kDoubleDigits), places);
}

std::string FormatFixed(float x, int places) {
    if (!std::isfinite(x)) {
        return NonFiniteText(x);
    }
    return FormatDecimal(RoundToSignificant(x, kSingleDigits), places);
}

}  // namespace quadrello
