#include "settings/ProfileTarget.h"
#include "settings/ProfileTargetPosix.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <vector>

#include "settings/ProfileFile.h"

namespace quadrello {
namespace {

namespace fs = std::filesystem;

constexpr int kMaxLinksFollowed = 40;         // as the kernel's limit on links in one lookup
constexpr std::size_t kLinkTextBytes = 4096;  // some file systems report no size for links
constexpr uid_t kRoot = 0;

std::optional<std::string> LinkText(const std::string& link, std::size_t size) {
    std::vector<char> text(std::max(size, kLinkTextBytes) + 1);
    const ssize_t length = ::readlink(link.c_str(), text.data(), text.size());
    if (length < 0 || static_cast<std::size_t>(length) >= text.size()) {
        return std::nullopt;  // gone or changed meanwhile
    }
    return std::string(text.data(), static_cast<std::size_t>(length));
}

bool OwnOrRoot(uid_t owner) {
    return owner == ::geteuid() || owner == kRoot;
}

// Nobody but this user and root may add, remove or rename entries in the folder. With an ACL
// the group bits are its mask, so a write right given to anybody else shows there too.
bool PrivateFolder(const struct stat& folder) {
    return OwnOrRoot(folder.st_uid) && (folder.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

WriteTarget Refused(WriteRefusal refusal) {
    return {{}, {refusal, 0}};
}

}  // namespace

bool TrustedInFolder(uid_t owner, const struct stat& folder) {
    const mode_t shared = S_ISVTX | S_IWOTH;
    return (folder.st_mode & shared) != shared || owner == ::geteuid() || owner == folder.st_uid;
}

WriteTarget ResolveWriteTarget(const std::string& path) {
    if (path.empty() || fs::path(path).filename().empty()) {
        return Refused(WriteRefusal::NoFileName);
    }
    std::string current = path;
    for (int followed = 0; followed <= kMaxLinksFollowed; ++followed) {
        struct stat link {};
        if (::lstat(current.c_str(), &link) != 0) {
            // A file yet to be created; a link that leads nowhere is not replaced by a file.
            if (errno == ENOENT && followed == 0) {
                return {current, {}};
            }
            return errno == ENOENT || errno == ELOOP
                       ? Refused(WriteRefusal::BrokenLink)
                       : WriteTarget{{}, {WriteRefusal::System, errno}};
        }
        if (!S_ISLNK(link.st_mode)) {
            return {current, {}};
        }
        const std::string folder = ProfileFolder(current);
        struct stat folderInfo {};
        if (::stat(folder.c_str(), &folderInfo) != 0) {
            return {{}, {WriteRefusal::System, errno}};
        }
        if (!OwnOrRoot(link.st_uid) && !PrivateFolder(folderInfo)) {
            return Refused(WriteRefusal::ForeignLink);
        }
        const std::optional<std::string> text =
            LinkText(current, static_cast<std::size_t>(link.st_size));
        if (!text || text->empty()) {
            return Refused(WriteRefusal::BrokenLink);
        }
        current = text->front() == '/' ? *text : (fs::path(folder) / *text).string();
    }
    return Refused(WriteRefusal::BrokenLink);
}

bool MayWriteFile(const std::string& path) {
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

}  // namespace quadrello
