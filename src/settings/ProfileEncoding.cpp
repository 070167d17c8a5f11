#include "settings/ProfileEncoding.h"

#include <cstdint>

namespace quadrello {
namespace {

constexpr std::string_view kLittleEndianMark{"\xFF\xFE", 2};
constexpr std::string_view kBigEndianMark{"\xFE\xFF", 2};
constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

char32_t UnitAt(std::string_view bytes, std::size_t at, bool bigEndian) {
    const auto first = static_cast<unsigned char>(bytes[at]);
    const auto second = static_cast<unsigned char>(bytes[at + 1]);
    return bigEndian ? (char32_t{first} << 8 | second) : (char32_t{second} << 8 | first);
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

void AppendUtf16(std::string& out, char32_t unit, bool bigEndian) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
}

// UTF-8 of UTF-16 units after the mark. A surrogate without its partner, and a last byte
// without its second, become U+FFFD: an editor's damage is no reason to read UTF-16 as bytes.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    std::string text;
    text.reserve(bytes.size());
    std::size_t at = 0;
    for (; at + 1 < bytes.size(); at += 2) {
        char32_t code = UnitAt(bytes, at, bigEndian);
        if (IsHighSurrogate(code) && at + 3 < bytes.size() &&
            IsLowSurrogate(UnitAt(bytes, at + 2, bigEndian))) {
            at += 2;
            code = 0x10000 + ((code - 0xD800) << 10) + (UnitAt(bytes, at, bigEndian) - 0xDC00);
        } else if (IsHighSurrogate(code) || IsLowSurrogate(code)) {
            code = kReplacement;
        }
        AppendUtf8(text, code);
    }
    if (at < bytes.size()) {
        AppendUtf8(text, kReplacement);
    }
    return text;
}

// The code point of the UTF-8 sequence at `at`, advancing `at` past it; U+FFFD (one byte on)
// for a sequence that is not well-formed.
char32_t NextCodePoint(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80) {
        return lead;
    }
    const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || at + static_cast<std::size_t>(length - 1) > text.size()) {
        return kReplacement;
    }
    char32_t code = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + static_cast<std::size_t>(i - 1)]);
        if ((next & 0xC0) != 0x80) {
            return kReplacement;
        }
        code = (code << 6) | (next & 0x3F);
    }
    const char32_t smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return kReplacement;
    }
    at += static_cast<std::size_t>(length - 1);
    return code;
}

}  // namespace

ProfileText DecodeProfile(std::string bytes) {
    const std::string_view view(bytes);
    for (const bool bigEndian : {false, true}) {
        if (view.starts_with(bigEndian ? kBigEndianMark : kLittleEndianMark)) {
            return {
                bigEndian ? ProfileEncoding::Utf16BigEndian : ProfileEncoding::Utf16LittleEndian,
                Utf16ToUtf8(view.substr(2), bigEndian)};
        }
    }
    return {ProfileEncoding::Bytes, std::move(bytes)};
}

std::string EncodeProfile(std::string_view text, ProfileEncoding encoding) {
    if (encoding == ProfileEncoding::Bytes) {
        return std::string(text);
    }
    const bool bigEndian = encoding == ProfileEncoding::Utf16BigEndian;
    std::string bytes(bigEndian ? kBigEndianMark : kLittleEndianMark);
    bytes.reserve(2 + text.size() * 2);
    for (std::size_t at = 0; at < text.size();) {
        const char32_t code = NextCodePoint(text, at);
        if (code < 0x10000) {
            AppendUtf16(bytes, code, bigEndian);
        } else {
            AppendUtf16(bytes, 0xD800 + ((code - 0x10000) >> 10), bigEndian);
            AppendUtf16(bytes, 0xDC00 + ((code - 0x10000) & 0x3FF), bigEndian);
        }
    }
    return bytes;
}

}  // namespace quadrello
