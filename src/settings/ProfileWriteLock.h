#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace quadrello {

// An exclusive lock held for one read-modify-write of a profile file, so that two processes
// updating different keys at once do not lose each other's key (the atomic rename already gives
// every reader a whole file).
//
// The lock is a write lock (fcntl on the open file description; LockFileEx on Windows) on a lock
// file beside the profile file, ".<name>.lock", which exists only while a writer holds it. A write
// lock needs a descriptor open for writing, and the lock file is created private, so nobody who may
// merely read the folder or the profile file can hold it against a writer; in a sticky folder that
// everybody may write, a lock file is trusted only when its owner could also have made the
// profile file (see TrustedInFolder). The lock is best effort: when there is no trusted lock
// file to be had or another holder does not let go within `patience`, the write goes ahead
// unlocked (still atomic; at worst one of two simultaneous updates is lost).
class ProfileWriteLock {
  public:
    // The longest a write may wait for the lock: a write runs on the user-interface thread.
    static constexpr std::chrono::milliseconds kDefaultPatience{100};

    explicit ProfileWriteLock(const std::string& file,
                              std::chrono::milliseconds patience = kDefaultPatience);
    ProfileWriteLock(const ProfileWriteLock&) = delete;
    ProfileWriteLock& operator=(const ProfileWriteLock&) = delete;
    ~ProfileWriteLock();

    bool Held() const { return handle_ != kNoHandle; }

    // The lock file of the profile file `file`.
    static std::string LockPath(const std::string& file);

  private:
    enum class Attempt { Held, Busy, Retry, Impossible };
    Attempt TryOnce();

    // The open lock file: a descriptor, or on Windows a HANDLE.
    static constexpr std::intptr_t kNoHandle = -1;
    std::string path_;
    std::intptr_t handle_ = kNoHandle;
};

}  // namespace quadrello
