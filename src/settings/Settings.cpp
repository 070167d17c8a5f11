#include "settings/Settings.h"

#include <array>

#include "platform/core/AppFolder.h"
#include "settings/Profile.h"

namespace quadrello {

std::string ConfigPath() {
    return platform::ApplicationFile(kConfigFileName);
}

std::string ReadSetting(std::string_view section, std::string_view key, const std::string& file) {
    std::array<char, kSettingBufferSize> buffer{};
    GetProfileString(section, key, buffer, file);
    return std::string(buffer.data());  // the text before the first NUL
}

int32_t WriteSetting(std::string_view section, std::string_view key, std::string_view value,
                     const std::string& file) {
    return WriteProfileString(section, key, value, file);
}

}  // namespace quadrello
