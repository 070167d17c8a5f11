#include "settings/Settings.h"

#include <array>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/core/AppFolder.h"
#include "platform/core/AppNames.h"
#include "platform/core/UserConfigFolder.h"
#include "settings/Profile.h"

namespace quadrello {
namespace {

// <organisation>/<application> in the user's configuration folder, as Qt's own settings name it.
std::string UserSettingsFolder() {
    return platform::OrganizationName() + '/' + platform::ApplicationName();
}

bool IsUserConfig(const std::string& file) {
    return !file.empty() && file == UserConfigPath();
}

// The file a settings file reads as before it exists: the shipped defaults. For the file beside
// the executable these can only be the ones in the installed data folder, which a portable
// folder and the build tree do not have: their first start stays a start without settings.
std::string MissingFileAs(const std::string& file) {
    const bool settingsFile =
        IsUserConfig(file) || (!file.empty() && file == platform::ApplicationFile(kConfigFileName));
    return settingsFile ? platform::ShippedFile(kConfigFileName) : std::string();
}

}  // namespace

std::string UserConfigPath() {
    const std::string folder = platform::UserConfigFolder();
    return folder.empty()
               ? std::string()
               : folder + '/' + UserSettingsFolder() + '/' + std::string(kConfigFileName);
}

std::string ConfigPath() {
    // Beside the program only where a config.ini already is: a system install has none there,
    // so nobody, root included, starts one that every later user would take as defaults.
    const std::string beside = platform::ApplicationFile(kConfigFileName);
    if (beside.empty()) {
        return beside;
    }
    std::error_code error;
    const bool present = std::filesystem::symlink_status(beside, error).type() !=
                         std::filesystem::file_type::not_found;
    return !error && present && !platform::ApplicationFolderDeniesWriting() ? beside
                                                                            : UserConfigPath();
}

std::string ReadSetting(std::string_view section, std::string_view key, const std::string& file) {
    std::array<char, kSettingBufferSize> buffer{};
    GetProfileString(section, key, buffer, file, MissingFileAs(file));
    return std::string(buffer.data());  // the text before the first NUL
}

WriteOutcome StoreSetting(std::string_view section, std::string_view key, std::string_view value,
                          const std::string& file) {
    if (file.empty()) {
        return {WriteRefusal::NoFolder, 0};
    }
    if (IsUserConfig(file) && !platform::MakeUserConfigFolder(UserSettingsFolder())) {
        return {WriteRefusal::System, errno};
    }
    return StoreProfileString(section, key, value, file, MissingFileAs(file));
}

int32_t WriteSetting(std::string_view section, std::string_view key, std::string_view value,
                     const std::string& file) {
    return StoreSetting(section, key, value, file).Written() ? 1 : 0;
}

}  // namespace quadrello
