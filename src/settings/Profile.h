#pragma once

// The profile (INI) file routines of the settings file, with the semantics of the Windows
// routines GetPrivateProfileStringA and WritePrivateProfileStringA (the grammar is described
// in ProfileSyntax.h, the rules of writing in ProfileDocument.h). Texts are bytes, UTF-8 for
// a UTF-16 file; paths are bytes as the file system names them.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "settings/WriteOutcome.h"

namespace quadrello {

// Copies the value of `key` in `section` of `file` into `buffer` as a NUL-terminated text,
// cut to buffer.size() - 1 bytes, and returns the number of bytes copied before the NUL. A
// missing or unreadable file, section or key gives the empty text. An empty buffer receives
// nothing. Never fails, whatever the file holds. A missing `file` reads as the file
// `missingFileAs` when one is named (a file of defaults that `file` starts from).
std::size_t GetProfileString(std::string_view section, std::string_view key, std::span<char> buffer,
                             const std::string& file, const std::string& missingFileAs = {});

// Assigns `key`=`value` in `section` of `file`, creating the file (in an existing folder) and
// the section when needed, and returns non-zero on success. The file is replaced atomically,
// keeps its owner, group, permission bits, ACL and extended attributes and every byte it had
// apart from the one line written (see ProfileDocument.h); a UTF-16 file stays UTF-16 (see
// ProfileEncoding.h). A write that changes nothing touches nothing. Returns 0 and changes
// nothing when the folder cannot be written; when `file` is a folder, an existing file that
// cannot be read whole or that this process may not write, or a symbolic link another user
// controls (see ResolveWriteTarget); when the replacement could not keep the file's owner,
// group, access rights, attributes or flags exactly; or when the entry cannot be
// stored as one line: an empty key; a key starting with ';' or '[' or holding '='; a section
// holding ']'; a CR, LF or NUL in any of the three. A missing `file` is created from the bytes
// of the file `missingFileAs` when one is named and can be read, with the entry applied to
// them, so that its comments, other keys and encoding carry over.
int32_t WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                           const std::string& file, const std::string& missingFileAs = {});

// WriteProfileString, saying why when nothing was written.
WriteOutcome StoreProfileString(std::string_view section, std::string_view key,
                                std::string_view value, const std::string& file,
                                const std::string& missingFileAs = {});

}  // namespace quadrello
