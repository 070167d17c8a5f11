// The Windows side of ProfileWriteLock.h: LockFileEx on a lock file that the system deletes when
// its last handle closes, so that it exists only while somebody holds or waits for it.
#include <windows.h>

#include <thread>

#include "settings/ProfileFile.h"
#include "settings/ProfileWriteLock.h"
#include "settings/WindowsFiles.h"

namespace quadrello {
namespace {

constexpr std::chrono::milliseconds kRetryPause{1};

HANDLE AsHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

std::string ProfileWriteLock::LockPath(const std::string& file) {
    return ProfileFolder(file) + '\\' + "." + std::string(windows::FileName(file)) + ".lock";
}

ProfileWriteLock::ProfileWriteLock(const std::string& file, std::chrono::milliseconds patience)
    : path_(LockPath(file)) {
    // Tries against a deadline instead of a blocking lock: a hung holder must not freeze the
    // program's user interface.
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        const Attempt attempt = TryOnce();
        if (attempt == Attempt::Held || attempt == Attempt::Impossible ||
            std::chrono::steady_clock::now() >= deadline) {
            return;
        }
        if (attempt == Attempt::Busy) {
            std::this_thread::sleep_for(kRetryPause);
        }
    }
}

ProfileWriteLock::Attempt ProfileWriteLock::TryOnce() {
    const std::wstring path = windows::Wide(path_);
    if (path.empty()) {
        return Attempt::Impossible;
    }
    windows::Handle file(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                                       windows::kShareAll, nullptr, OPEN_ALWAYS,
                                       FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (!file.Valid()) {
        // Access is denied while the last holder's file is being deleted.
        return ::GetLastError() == ERROR_ACCESS_DENIED ? Attempt::Busy : Attempt::Impossible;
    }
    if (::GetFileType(file.Get()) != FILE_TYPE_DISK) {
        return Attempt::Impossible;
    }
    OVERLAPPED whole{};
    if (!::LockFileEx(file.Get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                      &whole)) {
        return ::GetLastError() == ERROR_LOCK_VIOLATION ? Attempt::Busy : Attempt::Impossible;
    }
    handle_ = reinterpret_cast<std::intptr_t>(file.Release());  // closed by the destructor
    return Attempt::Held;
}

ProfileWriteLock::~ProfileWriteLock() {
    if (Held()) {
        OVERLAPPED whole{};
        ::UnlockFileEx(AsHandle(handle_), 0, 1, 0, &whole);
        ::CloseHandle(AsHandle(handle_));  // the last handle: the lock file goes
    }
}

}  // namespace quadrello
