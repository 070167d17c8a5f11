#include "platform/core/UserConfigFolder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace quadrello::platform {
namespace {

constexpr mode_t kConfigFolderMode = 0700;
constexpr mode_t kSubfolderMode = 0755;

std::string AbsoluteVariable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? std::string(value) : std::string();
}

std::string HomeFolder() {
    std::string home = AbsoluteVariable("HOME");
    if (home.empty()) {
        if (const passwd* account = ::getpwuid(::geteuid());
            account != nullptr && account->pw_dir != nullptr && account->pw_dir[0] == '/') {
            home = account->pw_dir;
        }
    }
    return home;
}

bool MakeFolder(const std::string& folder, mode_t mode) {
    struct stat info {};
    if (::mkdir(folder.c_str(), mode) == 0) {
        return true;
    }
    return errno == EEXIST && ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::string UserConfigFolder() {
    const std::string configured = AbsoluteVariable("XDG_CONFIG_HOME");
    if (!configured.empty()) {
        return configured;
    }
    const std::string home = HomeFolder();
    return home.empty() ? std::string() : (home == "/" ? "" : home) + "/.config";
}

bool MakeUserConfigFolder(std::string_view relative) {
    const std::string base = UserConfigFolder();
    if (base.empty() || !MakeFolder(base, kConfigFolderMode)) {
        return false;
    }
    std::string folder = base;
    for (std::size_t start = 0; start < relative.size();) {
        const std::size_t end = std::min(relative.find('/', start), relative.size());
        if (end > start) {
            folder += '/';
            folder += relative.substr(start, end - start);
            if (!MakeFolder(folder, kSubfolderMode)) {
                return false;
            }
        }
        start = end + 1;
    }
    return true;
}

}  // namespace quadrello::platform
