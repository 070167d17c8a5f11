#pragma once

#include <string>

namespace quadrello::platform {

// The record of the installation kept for the current user: the registry key
// HKEY_CURRENT_USER\Software\Tarvenn\Quadrello on Windows, ~/.config/Tarvenn/Quadrello.conf
// elsewhere. Writes "Path" (the application folder) and then "Vision" (the version text), both
// UTF-8; failures are silent, since the record is never read back.
void WriteUserRecord(const std::string& path, const std::string& version);

}  // namespace quadrello::platform
