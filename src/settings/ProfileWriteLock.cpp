#include "settings/ProfileWriteLock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <thread>

#include "settings/ProfileFile.h"
#include "settings/ProfileTarget.h"
#include "settings/ProfileTargetPosix.h"

namespace quadrello {
namespace {

constexpr std::chrono::milliseconds kRetryPause{1};
constexpr mode_t kLockFileMode = 0600;
constexpr int kOpenFlags = O_RDWR | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW | O_NONBLOCK;

// Opens the lock file, creating it private when there is none.
int OpenLockFile(const std::string& path) {
    for (;;) {
        int fd = ::open(path.c_str(), kOpenFlags | O_CREAT | O_EXCL, kLockFileMode);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
        fd = ::open(path.c_str(), kOpenFlags);
        if (fd >= 0 || errno != ENOENT) {
            return fd;  // otherwise removed by its holder meanwhile: create it
        }
    }
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

std::string ProfileWriteLock::LockPath(const std::string& file) {
    const std::filesystem::path path(file);
    return (std::filesystem::path(ProfileFolder(file)) / ("." + path.filename().string() + ".lock"))
        .string();
}

ProfileWriteLock::ProfileWriteLock(const std::string& file, std::chrono::milliseconds patience)
    : path_(LockPath(file)) {
    // Non-blocking tries against a deadline instead of a blocking lock: a stopped or hung
    // holder must not freeze the program's user interface.
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        const Attempt attempt = TryOnce();
        if (attempt == Attempt::Held || attempt == Attempt::Impossible) {
            return;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return;
        }
        if (attempt == Attempt::Busy) {
            std::this_thread::sleep_for(kRetryPause);
        }
    }
}

ProfileWriteLock::Attempt ProfileWriteLock::TryOnce() {
    const int fd = OpenLockFile(path_);
    if (fd < 0) {
        return errno == EINTR ? Attempt::Retry : Attempt::Impossible;
    }
    struct stat info {};
    struct stat folder {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        ::stat(ProfileFolder(path_).c_str(), &folder) != 0 ||
        !TrustedInFolder(info.st_uid, folder)) {
        ::close(fd);
        return Attempt::Impossible;
    }
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    if (::fcntl(fd, F_OFD_SETLK, &lock) != 0) {
        const int error = errno;
        ::close(fd);
        return (error == EAGAIN || error == EACCES || error == EINTR) ? Attempt::Busy
                                                                      : Attempt::Impossible;
    }
    // The holder before may have removed the file it held between our open and our lock: then
    // the lock guards nothing, and the file the path names now is the one to lock.
    struct stat now {};
    if (::lstat(path_.c_str(), &now) != 0 || !SameFile(info, now)) {
        ::close(fd);
        return Attempt::Retry;
    }
    handle_ = fd;
    return Attempt::Held;
}

ProfileWriteLock::~ProfileWriteLock() {
    if (Held()) {
        ::unlink(path_.c_str());             // while still held, so nobody takes a file about to go
        ::close(static_cast<int>(handle_));  // releases the lock
    }
}

}  // namespace quadrello
