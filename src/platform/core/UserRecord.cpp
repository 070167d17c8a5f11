// The record as an INI file in the user's configuration folder, found and created by the same
// XDG rules as the user's config.ini and written by the same profile routines.
#include "platform/core/UserRecord.h"

#include "platform/core/AppNames.h"
#include "platform/core/UserConfigFolder.h"
#include "settings/Profile.h"

namespace quadrello::platform {
namespace {

constexpr char kSection[] = "General";

}  // namespace

void WriteUserRecord(const std::string& path, const std::string& version) {
    // <organisation>/<application>.conf, as Qt's own settings name it.
    const std::string organization = OrganizationName();
    if (!MakeUserConfigFolder(organization)) {
        return;
    }
    const std::string record =
        UserConfigFolder() + '/' + organization + '/' + ApplicationName() + ".conf";
    // Values that are there already are not rewritten (see WriteProfileString).
    WriteProfileString(kSection, "Path", path, record);
    WriteProfileString(kSection, "Vision", version, record);
}

}  // namespace quadrello::platform
