#pragma once

#include <string>
#include <string_view>

namespace quadrello::platform {

// The user's configuration folder by the XDG rules: $XDG_CONFIG_HOME when it is an absolute
// path, else ".config" in the home folder ($HOME when absolute, else the home folder of the
// user's account). Bytes as the environment gives them. The empty text when neither is known.
std::string UserConfigFolder();

// Creates the folder `relative` (separated by '/') inside the user's configuration folder, and
// that folder itself when it is missing (its parent must exist): the configuration folder
// private to the user (0700, as the XDG rules ask), the folders below it 0755 less the umask.
// True when the folder exists afterwards.
bool MakeUserConfigFolder(std::string_view relative);

}  // namespace quadrello::platform
