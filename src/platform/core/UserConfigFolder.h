#pragma once

#include <string>
#include <string_view>

namespace quadrello::platform {

// The user's configuration folder by the XDG rules: $XDG_CONFIG_HOME when it is an absolute
// path, else ".config" in the home folder ($HOME when absolute, else the home folder of the
// user's account). Bytes as the environment gives them. The empty text when neither is known.
std::string UserConfigFolder();

// Creates the folder `relative` (separated by '/') inside the user's configuration folder, and
// every missing folder above it, each private to the user (0700, as the XDG rules ask); folders
// that exist keep their modes. True when the folder exists afterwards; false with errno set
// otherwise (ENOENT when the configuration folder is unknown).
bool MakeUserConfigFolder(std::string_view relative);

}  // namespace quadrello::platform
