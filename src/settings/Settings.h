#pragma once

// The settings routines: the switches of the main window live in config.ini, one key per switch,
// read and written through the profile routines. The file is the one beside the executable
// where one is there and the user may write the program's folder (a portable folder, the build
// tree); anywhere else (a system install) it is the user's own, which reads as the shipped
// defaults until its first write creates it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/WriteOutcome.h"

namespace quadrello {

inline constexpr std::string_view kConfigFileName = "config.ini";

// A setting is read through a buffer of this many bytes, so at most one byte less comes back.
inline constexpr std::size_t kSettingBufferSize = 128;

// Where the user's settings file lives when the program's folder refuses the user:
// "Tarvenn/Quadrello/config.ini" (the organisation and application names, AppNames.h) in the
// user's configuration folder (~/.config unless $XDG_CONFIG_HOME says otherwise). The empty
// text when that folder is unknown.
std::string UserConfigPath();

// The settings file, decided afresh on every call. Where the application folder holds a
// config.ini and may be written (or at least does not refuse this process's rights), that
// folder, the native separator and "config.ini", joined with no test for a trailing separator
// (at the root folder "/" this gives "//config.ini", which names the same file). Where it holds
// none or refuses them, UserConfigPath(). The empty text, which names no file, when the
// application folder cannot be found: then no setting is read or written anywhere.
std::string ConfigPath();

// The value of `key` in `section` of the profile file `file`: at most kSettingBufferSize - 1
// bytes, and only the text before a NUL byte. The empty text when the file, the section or the
// key is missing. A settings file (ConfigPath() in either place) that does not exist yet reads as
// the shipped defaults (platform::ShippedFile: config.ini beside the executable, else in the
// installed data folder), when there are any.
std::string ReadSetting(std::string_view section, std::string_view key, const std::string& file);

// Writes `key`=`value` into `section` of `file`, creating the file and the section when needed.
// Returns non-zero on success, 0 when nothing could be written (nothing changed then).
// A settings file that does not exist yet is created from the bytes of the shipped defaults
// with the one entry changed; UserConfigPath() also gets its folders.
int32_t WriteSetting(std::string_view section, std::string_view key, std::string_view value,
                     const std::string& file);

// WriteSetting, saying why when nothing was written (NoFolder for the empty path).
WriteOutcome StoreSetting(std::string_view section, std::string_view key, std::string_view value,
                          const std::string& file);

}  // namespace quadrello
