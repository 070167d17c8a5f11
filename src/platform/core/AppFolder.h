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

// Whether the application folder refuses this process new files: its permission bits or ACL
// deny this process's effective user and groups, or it lies on a read-only mount (a system
// install, a read-only medium). False when the folder may be written, and when it cannot be
// examined for another reason (it is gone): a write there fails then, as it always did.
bool ApplicationFolderDeniesWriting();

// The folder of the data an installed program ships: "share/quadrello" under the parent of the
// application folder (<prefix>/bin gives <prefix>/share/quadrello), so that an install moved to
// another prefix still finds it. The empty text when the application folder is unknown.
std::string InstalledDataFolder();

// A file the program ships (its defaults, its skin): the one beside the executable when there
// is one, else the one in the installed data folder when there is one, else the name beside the
// executable (which then names no file). The empty text when the application folder is unknown.
std::string ShippedFile(std::string_view name);

// Makes ApplicationFolder() return `folder` (for tests); the empty text restores the real one.
void OverrideApplicationFolder(std::string folder);

// The platform's path separator, to join the application folder with a file name.
char NativeSeparator();

}  // namespace quadrello::platform
