#include "solver/DecimalDigits.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

namespace quadrello {
namespace {

// Splits std::to_chars scientific output ("-1.2345e+02") into sign, digits and exponent.
DecimalDigits FromScientific(std::string_view text) {
    DecimalDigits result;
    std::size_t pos = 0;
    if (pos < text.size() && text[pos] == '-') {
        result.negative = true;
        ++pos;
    }
    const std::size_t ePos = text.find('e', pos);
    std::string digits;
    for (std::size_t i = pos; i < ePos; ++i) {
        if (text[i] != '.') {
            digits.push_back(text[i]);
        }
    }
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
    int exponent = 0;
    std::string_view expText = text.substr(ePos + 1);
    if (!expText.empty() && expText.front() == '+') {
        expText.remove_prefix(1);
    }
    std::from_chars(expText.data(), expText.data() + expText.size(), exponent);
    result.digits = digits;
    result.exponent = digits == "0" ? 0 : exponent;
    return result;
}

template <typename Float>
DecimalDigits Round(Float x, int significantDigits) {
    if (!std::isfinite(x)) {
        return DecimalDigits{};
    }
    // Enough room for the sign, digits, point and exponent of any finite value.
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, x,
                                         std::chars_format::scientific, significantDigits - 1);
    if (ec != std::errc{}) {
        return DecimalDigits{};
    }
    return FromScientific(std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
}

}  // namespace

DecimalDigits RoundToSignificant(double x, int significantDigits) {
    return Round(x, significantDigits);
}

DecimalDigits RoundToSignificant(float x, int significantDigits) {
    return Round(x, significantDigits);
}

}  // namespace quadrello
