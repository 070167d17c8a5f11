// Text to number: the longest leading number, read the way the user typed it. No locale enters.
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

#include "solver/NumberText.h"

namespace quadrello {
namespace {

// Walks a text while skipping blanks, tabs and line feeds wherever they stand.
class Cursor {
  public:
    explicit Cursor(std::string_view text) : text_(text) { SkipBlanks(); }

    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
    void Advance() {
        ++pos_;
        SkipBlanks();
    }
    bool Accept(char c) {
        if (Peek() != c || AtEnd()) {
            return false;
        }
        Advance();
        return true;
    }

  private:
    void SkipBlanks() {
        while (pos_ < text_.size() &&
               (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n')) {
            ++pos_;
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int DigitValue(char c, int base) {
    int value = -1;
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    }
    return value < base ? value : -1;
}

// "&H…" and "&O…": a 16-bit signed value when it fits in 16 bits, else a 32-bit signed one.
ParsedNumber ParseBasePrefixed(Cursor& cursor, int base) {
    constexpr std::uint64_t kMax32 = 0xFFFFFFFFu;
    std::uint64_t value = 0;
    bool overflow = false;
    for (int digit = DigitValue(cursor.Peek(), base); !cursor.AtEnd() && digit >= 0;
         digit = DigitValue(cursor.Peek(), base)) {
        if (!overflow) {
            value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
            overflow = value > kMax32;
        }
        cursor.Advance();
    }
    if (overflow) {
        return {std::numeric_limits<double>::infinity(), false};
    }
    if (value <= 0xFFFFu) {
        return {static_cast<double>(static_cast<std::int16_t>(value)), true};
    }
    return {static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value))),
            true};
}

// Reads exponent digits, saturating far beyond any double's range.
int ReadExponent(Cursor& cursor) {
    constexpr int kSaturation = 1'000'000;
    bool negative = false;
    if (cursor.Peek() == '+' || cursor.Peek() == '-') {
        negative = cursor.Peek() == '-';
        cursor.Advance();
    }
    int value = 0;
    while (!cursor.AtEnd() && IsDigit(cursor.Peek())) {
        value = std::min(kSaturation, value * 10 + (cursor.Peek() - '0'));
        cursor.Advance();
    }
    return negative ? -value : value;
}

ParsedNumber ParseDecimal(Cursor& cursor) {
    bool negative = false;
    if (cursor.Peek() == '+' || cursor.Peek() == '-') {
        negative = cursor.Peek() == '-';
        cursor.Advance();
    }
    std::string digits;  // significant digits, leading zeros dropped
    long long exponent = 0;
    bool anyDigit = false;
    bool seenPoint = false;
    for (;;) {
        const char c = cursor.Peek();
        if (!cursor.AtEnd() && IsDigit(c)) {
            anyDigit = true;
            if (!digits.empty() || c != '0') {
                digits.push_back(c);
            }
            if (seenPoint) {
                --exponent;  // every digit after the point scales by a tenth
            }
            cursor.Advance();
        } else if (c == '.' && !seenPoint && !cursor.AtEnd()) {
            seenPoint = true;
            cursor.Advance();
        } else {
            break;
        }
    }
    if (!anyDigit) {
        return {0.0, true};
    }
    const char e = cursor.Peek();
    if (!cursor.AtEnd() && (e == 'e' || e == 'E' || e == 'd' || e == 'D')) {
        cursor.Advance();
        exponent += ReadExponent(cursor);
    }
    const double signedZero = negative ? -0.0 : 0.0;
    if (digits.empty()) {
        return {signedZero, true};
    }
    // value = digits × 10^exponent, converted with correct rounding
    const std::string text = digits + "e" + std::to_string(exponent);
    double value = 0;
    const std::from_chars_result parsed =
        std::from_chars(text.data(), text.data() + text.size(), value);
    if (parsed.ec == std::errc::result_out_of_range) {
        const long long magnitude = static_cast<long long>(digits.size()) - 1 + exponent;
        if (magnitude > 0) {
            const double inf = std::numeric_limits<double>::infinity();
            return {negative ? -inf : inf, false};
        }
        return {signedZero, true};  // too small for a double: it rounds to zero
    }
    return {negative ? -value : value, true};
}

}  // namespace

ParsedNumber ParseNumberChecked(std::string_view text) {
    Cursor cursor(text);
    if (cursor.Peek() == '&' && !cursor.AtEnd()) {
        cursor.Advance();
        const char prefix = cursor.Peek();
        if (prefix == 'H' || prefix == 'h') {
            cursor.Advance();
            return ParseBasePrefixed(cursor, 16);
        }
        if (prefix == 'O' || prefix == 'o') {
            cursor.Advance();
            return ParseBasePrefixed(cursor, 8);
        }
        return {0.0, true};
    }
    return ParseDecimal(cursor);
}

}  // namespace quadrello
