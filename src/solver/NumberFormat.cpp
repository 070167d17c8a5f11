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

std::string ExponentText(int exponent) {
    std::string text = std::to_string(exponent < 0 ? -exponent : exponent);
    if (text.size() < 2) {
        text.insert(0, "0");
    }
    return (exponent < 0 ? "E-" : "E+") + text;
}

// Adds one unit in the last place of a string of decimal digits.
void IncrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

// The pattern rule on an already rounded decimal: round to `places` decimals, halves away from
// zero, and write it with its point always present.
std::string FormatDecimal(const DecimalDigits& d, int places) {
    if (d.IsZero()) {
        return "0.";
    }
    places = std::max(places, 0);
    const int length = static_cast<int>(d.digits.size());
    // |value| × 10^places = digits × 10^shift
    const int shift = d.exponent + places - (length - 1);
    std::string scaled;  // round(|value| × 10^places), in decimal digits
    if (shift >= 0) {
        scaled = d.digits + std::string(static_cast<std::size_t>(shift), '0');
    } else {
        const int kept = length + shift;
        if (kept < 0) {
            scaled = "0";
        } else {
            scaled = kept == 0 ? "0" : d.digits.substr(0, static_cast<std::size_t>(kept));
            if (d.digits[static_cast<std::size_t>(kept)] >= '5') {
                IncrementDigits(scaled);
            }
        }
    }
    if (scaled.size() <= static_cast<std::size_t>(places)) {
        scaled.insert(0, static_cast<std::size_t>(places) + 1 - scaled.size(), '0');
    }
    const std::size_t pointAt = scaled.size() - static_cast<std::size_t>(places);
    std::string integerPart = scaled.substr(0, pointAt);
    std::string fraction = scaled.substr(pointAt);
    while (!fraction.empty() && fraction.back() == '0') {
        fraction.pop_back();
    }
    std::string text = d.negative ? "-" : "";
    text += integerPart;
    text += '.';
    text += fraction;
    return text;
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
    std::string text = d.negative ? "-" : "";
    const std::string& digits = d.digits;
    const int e = d.exponent;
    if (e > kHighestPlainExponent || e < kLowestPlainExponent) {
        text += digits[0];
        if (digits.size() > 1) {
            text += '.';
            text += digits.substr(1);
        }
        return text + ExponentText(e);
    }
    if (e < 0) {
        text += "0.";
        text.append(static_cast<std::size_t>(-e - 1), '0');
        return text + digits;
    }
    const std::size_t integerLength = static_cast<std::size_t>(e) + 1;
    if (digits.size() <= integerLength) {
        return text + digits + std::string(integerLength - digits.size(), '0');
    }
    return text + digits.substr(0, integerLength) + "." + digits.substr(integerLength);
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
