#pragma once

// The line grammar of profile (INI) files, as the Windows profile routines read them.
//
// A line ends at CR LF, at LF or at a lone CR; the last line may have no terminator. A UTF-8
// byte-order mark at the very start is not part of the first line. Blanks and tabs around a
// line are not part of it. What a line is, judged by its first non-blank character:
//   nothing          a blank line
//   ';'              a comment
//   '['              a section header: the name runs to the first ']' (or to the end of the
//                    line when there is none), blanks around it are not part of it, and any
//                    text after the ']' is ignored
//   anything else    a key when the line holds '=': the name is the text before the first '=',
//                    the value the text after it, both without surrounding blanks; otherwise
//                    the line is text that names no key
// Every byte, NUL included, is an ordinary character: nothing in a file can end a line early.

#include <cstddef>
#include <string_view>

namespace quadrello {

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
inline constexpr std::string_view kProfileLineBreak = "\r\n";

// One line of a profile file, as offsets into the whole text.
struct ProfileLine {
    std::size_t begin = 0;  // first byte of the line
    std::size_t end = 0;    // one past its last byte before the terminator
    std::size_t next = 0;   // one past its terminator: where the next line begins
    bool Terminated() const { return next > end; }
};

enum class ProfileLineKind { Blank, Comment, Section, Key, Text };

// What one line says: its kind, and the section name or the key name and raw value (still
// with any quotes) as views into the line.
struct ProfileEntry {
    ProfileLineKind kind = ProfileLineKind::Blank;
    std::string_view name;
    std::string_view value;
};

// Where the first line starts: after a UTF-8 byte-order mark when the text begins with one.
std::size_t FirstLineStart(std::string_view text);

// The line that starts at `begin` (which must be at most text.size()).
ProfileLine LineAt(std::string_view text, std::size_t begin);

// The kind, name and value of a line's content (the bytes without terminator).
ProfileEntry ClassifyLine(std::string_view content);

// The text without leading and trailing blanks and tabs.
std::string_view TrimBlanks(std::string_view text);

// Name equality as the profile routines see it: ASCII letters compare case-insensitively,
// every other byte exactly.
bool SameProfileName(std::string_view a, std::string_view b);

// The value as it is returned: one matching pair of outer quotes (" or ') removed.
std::string_view Unquote(std::string_view value);

}  // namespace quadrello
