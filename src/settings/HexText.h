#pragma once

// Bytes written as lower-case hexadecimal digits, two a byte: the random part of the names of
// temporary files.

#include <span>
#include <string>

namespace quadrello {

inline std::string HexText(std::span<const unsigned char> bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const unsigned char byte : bytes) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0xF];
    }
    return text;
}

}  // namespace quadrello
