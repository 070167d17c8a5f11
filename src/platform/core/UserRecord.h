#pragma once

#include <string>

namespace quadrello::platform {

// The record of the installation kept for the current user, named after the organisation and
// application names (AppNames.h): the registry key HKEY_CURRENT_USER\Software\Tarvenn\Quadrello
// on Windows (UTF-8 texts), elsewhere Tarvenn/Quadrello.conf in the user's configuration folder
// (UserConfigFolder: absolute paths only, created private), section [General]. Writes "Path"
// (the application folder, its bytes as they are) and then "Vision" (the version text);
// failures are silent, since the record is never read back.
void WriteUserRecord(const std::string& path, const std::string& version);

}  // namespace quadrello::platform
