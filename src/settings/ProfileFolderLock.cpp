#include "settings/ProfileFolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace quadrello {
namespace {

constexpr std::chrono::milliseconds kRetryPause{1};

}  // namespace

ProfileFolderLock::ProfileFolderLock(const std::string& folder,
                                     std::chrono::milliseconds patience) {
    do {
        fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    } while (fd_ < 0 && errno == EINTR);
    if (fd_ < 0) {
        return;
    }
    // Polling with a deadline instead of a blocking flock: a stopped or hung holder must not
    // freeze the program's user interface.
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
            held_ = true;
            return;
        }
        if ((errno != EWOULDBLOCK && errno != EINTR) ||
            std::chrono::steady_clock::now() >= deadline) {
            return;
        }
        std::this_thread::sleep_for(kRetryPause);
    }
}

ProfileFolderLock::~ProfileFolderLock() {
    if (fd_ >= 0) {
        ::close(fd_);  // releases the lock
    }
}

}  // namespace quadrello
