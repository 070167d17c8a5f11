#pragma once

// The encodings a profile file may be stored in. The Windows profile routines read a file that
// starts with a UTF-16 byte-order mark (as Windows editors save "Unicode" text) as UTF-16 and
// keep writing it so; every other file is bytes.

#include <string>
#include <string_view>

namespace quadrello {

enum class ProfileEncoding { Bytes, Utf16LittleEndian, Utf16BigEndian };

struct ProfileText {
    ProfileEncoding encoding = ProfileEncoding::Bytes;
    std::string text;  // UTF-8 for a UTF-16 file (without its byte-order mark), else the bytes
};

// The text of a file's bytes. A file is UTF-16 when it starts with a byte-order mark; a
// surrogate without its partner and an odd last byte read as U+FFFD (and are stored so by the
// next write). Anything else is bytes, taken as they are.
ProfileText DecodeProfile(std::string bytes);

// The bytes to store for `text`: as they are, or UTF-16 with its byte-order mark. A UTF-8
// sequence that is not well-formed becomes U+FFFD, since UTF-16 cannot hold it.
std::string EncodeProfile(std::string_view text, ProfileEncoding encoding);

}  // namespace quadrello
