#pragma once

#include <string>
#include <string_view>

namespace quadrello::platform {

// The folder of the running executable, without a trailing separator except at the root
// folder: the bytes of the executable's real path as the kernel reports it, so a folder name
// in another encoding than UTF-8 is kept as it is. Works before the application object exists
// and in programs that have none. The empty text when the executable's path cannot be found.
std::string ApplicationFolder();

// The file `name` in the application folder, joined with the native separator and no test for
// a trailing one; the empty text (which names no file) when the folder is unknown, so that
// nothing is ever looked for or stored anywhere else.
std::string ApplicationFile(std::string_view name);

// Makes ApplicationFolder() return `folder` (for tests); the empty text restores the real one.
void OverrideApplicationFolder(std::string folder);

// The platform's path separator, to join the application folder with a file name.
char NativeSeparator();

}  // namespace quadrello::platform
