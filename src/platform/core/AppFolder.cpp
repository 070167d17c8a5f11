#include "platform/core/AppFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <QDir>
#include <vector>

namespace quadrello::platform {
namespace {

constexpr const char* kOwnExecutableLink = "/proc/self/exe";
constexpr std::size_t kLongestPath = 4096;  // the kernel's limit on a path
constexpr std::string_view kInstalledData = "share/quadrello";

std::string& OverriddenFolder() {
    static std::string folder;
    return folder;
}

bool Exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

// The folder of the executable as the kernel reports it, byte for byte (the application
// object's folder is decoded text, which loses bytes that are not UTF-8).
std::string ExecutableFolder() {
    std::vector<char> path(kLongestPath + 1);
    const ssize_t length = ::readlink(kOwnExecutableLink, path.data(), path.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= path.size() || path[0] != '/') {
        return {};
    }
    const std::string_view executable(path.data(), static_cast<std::size_t>(length));
    const std::size_t slash = executable.rfind('/');
    return std::string(executable.substr(0, slash == 0 ? 1 : slash));
}

}  // namespace

std::string ApplicationFolder() {
    if (!OverriddenFolder().empty()) {
        return OverriddenFolder();
    }
    return ExecutableFolder();
}

std::string ApplicationFile(std::string_view name) {
    const std::string folder = ApplicationFolder();
    return folder.empty() ? std::string() : folder + NativeSeparator() + std::string(name);
}

bool ApplicationFolderDeniesWriting() {
    const std::string folder = ApplicationFolder();
    // Creating a file needs both the right to write the folder and to search it.
    if (folder.empty() || ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0) {
        return false;
    }
    return errno == EACCES || errno == EPERM || errno == EROFS;
}

std::string InstalledDataFolder() {
    const std::string folder = ApplicationFolder();
    if (folder.empty()) {
        return {};
    }
    const std::string parent = folder.substr(0, folder.rfind(NativeSeparator()));
    return parent + NativeSeparator() + std::string(kInstalledData);
}

std::string ShippedFile(std::string_view name) {
    const std::string beside = ApplicationFile(name);
    if (beside.empty() || Exists(beside)) {
        return beside;
    }
    const std::string installed = InstalledDataFolder() + NativeSeparator() + std::string(name);
    return Exists(installed) ? installed : beside;
}

void OverrideApplicationFolder(std::string folder) {
    OverriddenFolder() = std::move(folder);
}

char NativeSeparator() {
    return QDir::separator().toLatin1();
}

}  // namespace quadrello::platform
