#include "platform/core/UserConfigFolder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace quadrello::platform {
namespace {

// The XDG rule for folders a program creates for the user's configuration: private.
constexpr mode_t kFolderMode = 0700;

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
    if (::stat(folder.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) {
            return true;
        }
        errno = ENOTDIR;
        return false;
    }
    if (::mkdir(folder.c_str(), mode) == 0) {
        return true;
    }
    const int error = errno;
    const bool made = error == EEXIST && ::stat(folder.c_str(), &info) == 0 &&
                      S_ISDIR(info.st_mode);  // made by somebody else meanwhile
    errno = error;
    return made;
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
    if (base.empty()) {
        errno = ENOENT;
        return false;
    }
    // Every missing folder from the root down: $XDG_CONFIG_HOME may name a chain of them.
    const std::string whole = base + "/" + std::string(relative);
    std::string folder;
    for (std::size_t start = 1; start <= whole.size();) {
        const std::size_t end = std::min(whole.find('/', start), whole.size());
        folder = whole.substr(0, end);
        if (end > start && !MakeFolder(folder, kFolderMode)) {
            return false;
        }
        start = end + 1;
    }
    return true;
}

}  // namespace quadrello::platform
