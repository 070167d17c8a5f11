#include "settings/Settings.h"

#include <array>

#include "platform/core/AppFolder.h"
#include "platform/core/UserConfigFolder.h"
#include "settings/Profile.h"

namespace quadrello {
namespace {

constexpr std::string_view kUserSettingsFolder = "Tarvenn/Quadrello";

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
    return folder.empty() ? std::string()
                          : folder + '/' + std::string(kUserSettingsFolder) + '/' +
                                std::string(kConfigFileName);
}

std::string ConfigPath() {
    return platform::ApplicationFolderDeniesWriting() ? UserConfigPath()
                                                      : platform::ApplicationFile(kConfigFileName);
}

std::string ReadSetting(std::string_view section, std::string_view key, const std::string& file) {
    std::array<char, kSettingBufferSize> buffer{};
    GetProfileString(section, key, buffer, file, MissingFileAs(file));
    return std::string(buffer.data());  // the text before the first NUL
}

int32_t WriteSetting(std::string_view section, std::string_view key, std::string_view value,
                     const std::string& file) {
    if (IsUserConfig(file)) {
        platform::MakeUserConfigFolder(kUserSettingsFolder);  // a failure fails the write below
    }
    return WriteProfileString(section, key, value, file, MissingFileAs(file));
}

}  // namespace quadrello
