#pragma once

// What the application folder's routines ask of the system, one implementation per platform.

#include <string>

namespace quadrello::platform {

// The folder of the running executable as the system names it (UTF-8 on Windows, the path's
// bytes elsewhere), without a trailing separator except at a root; empty when unknown.
std::string ExecutableFolder();

// Whether the system refuses this process new files in `folder` (rights, a read-only medium);
// false when it allows them or the folder cannot be examined for another reason.
bool FolderDeniesWriting(const std::string& folder);

// Whether something exists at `path`.
bool Exists(const std::string& path);

}  // namespace quadrello::platform
