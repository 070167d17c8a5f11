#pragma once

// What the Windows side of the profile layer shares: paths cross to the system as UTF-16 (the
// profile layer keeps them as UTF-8 bytes), handles are closed by their owner, and a file is
// known by its volume and index.

#include <windows.h>

// The system's own profile routines are macros of these names (…A or …W); ours are functions.
#undef GetProfileString
#undef WriteProfileString

#include <optional>
#include <string>
#include <string_view>

namespace quadrello::windows {

// UTF-8 to UTF-16 and back; invalid UTF-8 gives the empty text, which names no file.
std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

// Closes a handle when it goes out of scope.
class Handle {
  public:
    explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { Close(); }
    HANDLE Get() const { return handle_; }
    HANDLE Release() {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return handle;
    }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    bool Close() {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return handle == INVALID_HANDLE_VALUE || handle == nullptr || ::CloseHandle(handle) != 0;
    }

  private:
    HANDLE handle_;
};

// Sharing that lets other readers, writers and the replacement of the file go on meanwhile.
inline constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The volume serial number and file index of an open file.
struct FileId {
    unsigned long long volume = 0;
    unsigned long long index = 0;
};
std::optional<FileId> IdOf(HANDLE file);

// The errno value that tells the same as the system error `error` (GetLastError), so that a
// refusal reads the same on every system.
int ErrnoOf(DWORD error);

// The last path component ("config.ini" of "C:\Q\config.ini"), '/' and '\' both separating.
std::string_view FileName(std::string_view path);

}  // namespace quadrello::windows
