#pragma once

#include <string>

namespace quadrello::platform {

// The folder of the running executable in native separators (UTF-8), without a trailing
// separator except at the root folder. Taken from the application object when there is one,
// otherwise from the executable's own path, so it also works before the application object
// exists and in programs that have none.
std::string ApplicationFolder();

// Makes ApplicationFolder() return `folder` (for tests); the empty text restores the real one.
void OverrideApplicationFolder(std::string folder);

// The platform's path separator, to join the application folder with a file name.
char NativeSeparator();

}  // namespace quadrello::platform
