#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "settings/ProfileSyntax.h"

namespace quadrello {

// Looks up and assigns keys in the text of a profile file, with the semantics of the Windows
// profile routines. Only the first section of a name counts, and in it only the first key of a
// name; later duplicates are foreign lines like any other. Keys before the first section
// belong to no section.
//
// Assigning keeps every byte of the text except the one line it writes:
//  - an existing key's line is rewritten as name=value in place, with the name as the file
//    spells it, its own line terminator kept;
//  - a new key goes right after the last line of its section that is neither blank nor a
//    comment (or after the section header when there is none), so blank lines and comments
//    that lead into the next section stay where they are;
//  - a new section goes at the end of the text as "[section]" and "key=value".
// New lines end with CR LF; when the line they follow has no terminator (the end of a file
// without a final line break), CR LF is put there first.
class ProfileDocument {
  public:
    explicit ProfileDocument(std::string_view text) : text_(text) {}

    // The value of `key` in `section`, outer quotes removed; nothing when the section or the
    // key is missing. Names are compared without surrounding blanks.
    std::optional<std::string_view> Value(std::string_view section, std::string_view key) const;

    // The whole text with `key`=`value` assigned in `section`. The caller makes sure that the
    // names and the value fit on one line (WriteProfileString refuses those that do not).
    std::string WithValue(std::string_view section, std::string_view key,
                          std::string_view value) const;

  private:
    struct Place;
    Place Locate(std::string_view section, std::string_view key) const;

    std::string_view text_;
};

}  // namespace quadrello
