// The POSIX side of ExecutableFolder.h: the kernel's own link to the running executable.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/core/ExecutableFolder.h"

namespace quadrello::platform {
namespace {

constexpr const char* kOwnExecutableLink = "/proc/self/exe";
constexpr std::size_t kLongestPath = 4096;  // the kernel's limit on a path

}  // namespace

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

bool FolderDeniesWriting(const std::string& folder) {
    // Creating a file needs both the right to write the folder and to search it.
    if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0) {
        return false;
    }
    return errno == EACCES || errno == EPERM || errno == EROFS;
}

bool Exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

}  // namespace quadrello::platform
