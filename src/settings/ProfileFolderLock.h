#pragma once

#include <chrono>
#include <string>

namespace quadrello {

// An exclusive advisory lock (flock) on the folder of a profile file, held for one
// read-modify-write. The atomic rename already gives every reader a whole file; the lock adds
// that two processes updating different keys at once do not lose each other's key. Locking the
// folder rather than the file works also before the file exists and across the renames that
// replace it, and leaves no lock file behind. The lock is best effort: when the folder cannot
// be opened, the file system has no flock, or another holder does not let go within `patience`,
// the write goes ahead unlocked (still atomic, at worst one of two simultaneous updates is lost).
class ProfileFolderLock {
  public:
    static constexpr std::chrono::milliseconds kDefaultPatience{1000};

    explicit ProfileFolderLock(const std::string& folder,
                               std::chrono::milliseconds patience = kDefaultPatience);
    ProfileFolderLock(const ProfileFolderLock&) = delete;
    ProfileFolderLock& operator=(const ProfileFolderLock&) = delete;
    ~ProfileFolderLock();

    bool Held() const { return held_; }

  private:
    int fd_ = -1;
    bool held_ = false;
};

}  // namespace quadrello
