#include "settings/ProfileAttributes.h"

#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace quadrello {
namespace {

constexpr mode_t kPermissionBits = 07777;
constexpr mode_t kNewFileMode = 0666;
constexpr const char* kOwnStatus = "/proc/self/status";
// The inode flags (chattr) that say how a file is to be kept rather than what the file system
// made of it: these are carried over. Immutable and append-only are not among them, since such
// a file is never replaced.
constexpr int kKeptInodeFlags = FS_SECRM_FL | FS_UNRM_FL | FS_COMPR_FL | FS_SYNC_FL | FS_NODUMP_FL |
                                FS_NOATIME_FL | FS_NOCOMP_FL | FS_JOURNAL_DATA_FL | FS_NOTAIL_FL |
                                FS_NOCOW_FL | FS_PROJINHERIT_FL;

// The file's inode flags; 0 where its file system has none.
std::optional<int> InodeFlags(int fd) {
    int flags = 0;
    if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
        return flags;
    }
    return (errno == ENOTTY || errno == EOPNOTSUPP || errno == EINVAL) ? std::optional(0)
                                                                       : std::nullopt;
}

// Gives the replacement the kept flags of the original (set before any byte is written, as
// some of them require), and takes away kept flags it inherited from the folder.
bool CopyInodeFlags(int from, int to) {
    const std::optional<int> wanted = InodeFlags(from);
    const std::optional<int> present = InodeFlags(to);
    if (!wanted || !present) {
        return false;
    }
    if ((*present & kKeptInodeFlags) == (*wanted & kKeptInodeFlags)) {
        return true;
    }
    int flags = (*present & ~kKeptInodeFlags) | (*wanted & kKeptInodeFlags);
    if (::ioctl(to, FS_IOC_SETFLAGS, &flags) != 0) {
        return false;
    }
    const std::optional<int> now = InodeFlags(to);
    return now && (*now & kKeptInodeFlags) == (*wanted & kKeptInodeFlags);
}

// The names of a file's extended attributes; an empty list where the file system has none.
std::optional<std::vector<std::string>> AttributeNames(int fd) {
    const ssize_t size = ::flistxattr(fd, nullptr, 0);
    if (size < 0) {
        return errno == ENOTSUP ? std::optional(std::vector<std::string>{}) : std::nullopt;
    }
    std::vector<char> list(static_cast<std::size_t>(size));
    const ssize_t got = ::flistxattr(fd, list.data(), list.size());
    if (got < 0) {
        return std::nullopt;  // the list grew meanwhile: better no write than a wrong one
    }
    std::vector<std::string> names;
    for (std::size_t at = 0; at < static_cast<std::size_t>(got);) {
        names.emplace_back(list.data() + at);
        at += names.back().size() + 1;
    }
    return names;
}

bool CopyAttribute(int from, int to, const std::string& name) {
    const ssize_t size = ::fgetxattr(from, name.c_str(), nullptr, 0);
    if (size < 0) {
        return false;
    }
    std::vector<char> value(static_cast<std::size_t>(size));
    const ssize_t got = ::fgetxattr(from, name.c_str(), value.data(), value.size());
    return got == size && ::fsetxattr(to, name.c_str(), value.data(), value.size(), 0) == 0;
}

bool CopyAttributes(int from, int to) {
    const auto wanted = AttributeNames(from);
    const auto present = AttributeNames(to);
    if (!wanted || !present) {
        return false;
    }
    for (const std::string& name : *present) {  // e.g. an ACL inherited from the folder
        if (std::find(wanted->begin(), wanted->end(), name) == wanted->end() &&
            ::fremovexattr(to, name.c_str()) != 0) {
            return false;
        }
    }
    for (const std::string& name : *wanted) {
        if (!CopyAttribute(from, to, name)) {
            return false;
        }
    }
    return true;
}

// The umask, read without changing it (umask() cannot be read without setting it, which would
// race with other threads creating files).
mode_t ProcessUmask() {
    std::ifstream status(kOwnStatus);
    std::string field;
    while (status >> field) {
        if (field == "Umask:") {
            std::string octal;
            status >> octal;
            return static_cast<mode_t>(std::strtoul(octal.c_str(), nullptr, 8)) & 0777;
        }
    }
    return 022;  // the common default, where the kernel does not say
}

}  // namespace

bool CopyFileAccess(int original, int replacement) {
    struct stat want {};
    struct stat have {};
    if (::fstat(original, &want) != 0 || ::fstat(replacement, &have) != 0) {
        return false;
    }
    // Owner first: a change of owner clears set-id bits, which the mode then restores.
    if ((have.st_uid != want.st_uid || have.st_gid != want.st_gid) &&
        ::fchown(replacement, want.st_uid, want.st_gid) != 0) {
        return false;
    }
    if (::fchmod(replacement, want.st_mode & kPermissionBits) != 0 ||
        !CopyAttributes(original, replacement) || !CopyInodeFlags(original, replacement) ||
        ::fstat(replacement, &have) != 0) {
        return false;
    }
    return have.st_uid == want.st_uid && have.st_gid == want.st_gid &&
           (have.st_mode & kPermissionBits) == (want.st_mode & kPermissionBits);
}

bool GiveNewFileAccess(int replacement) {
    return ::fchmod(replacement, kNewFileMode & ~ProcessUmask()) == 0;
}

}  // namespace quadrello
