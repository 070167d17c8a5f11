#pragma once

// The settings routines: the switches of the main window live in config.ini beside the
// executable, one key per switch, read and written through the profile routines.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quadrello {

inline constexpr std::string_view kConfigFileName = "config.ini";

// A setting is read through a buffer of this many bytes, so at most one byte less comes back.
inline constexpr std::size_t kSettingBufferSize = 128;

// The application folder, the native separator and "config.ini", joined with no test for a
// trailing separator (at the root folder "/" this gives "//config.ini", which names the same
// file). Computed afresh on every call. The empty text, which names no file, when the
// application folder cannot be found: then no setting is read or written anywhere.
std::string ConfigPath();

// The value of `key` in `section` of the profile file `file`: at most kSettingBufferSize - 1
// bytes, and only the text before a NUL byte. The empty text when the file, the section or the
// key is missing.
std::string ReadSetting(std::string_view section, std::string_view key, const std::string& file);

// Writes `key`=`value` into `section` of `file`, creating the file and the section when needed.
// Returns non-zero on success, 0 when nothing could be written (nothing changed then).
int32_t WriteSetting(std::string_view section, std::string_view key, std::string_view value,
                     const std::string& file);

}  // namespace quadrello
