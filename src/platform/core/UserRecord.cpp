// The record as an INI file in the user's configuration folder, found and created by the same
// XDG rules as the user's config.ini and written by the same profile routines.
#include "platform/core/UserRecord.h"

#include "platform/core/UserConfigFolder.h"
#include "settings/Profile.h"

namespace quadrello::platform {
namespace {

constexpr std::string_view kRecordFolder = "Tarvenn";
constexpr char kRecordName[] = "/Tarvenn/Quadrello.conf";
constexpr char kSection[] = "General";

}  // namespace

void WriteUserRecord(const std::string& path, const std::string& version) {
    if (!MakeUserConfigFolder(kRecordFolder)) {
        return;
    }
    const std::string record = UserConfigFolder() + kRecordName;
    // Values that are there already are not rewritten (see WriteProfileString).
    WriteProfileString(kSection, "Path", path, record);
    WriteProfileString(kSection, "Vision", version, record);
}

}  // namespace quadrello::platform
