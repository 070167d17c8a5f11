// The Windows side of ExecutableFolder.h: the module's own file name, UTF-16 turned into UTF-8.
#include <windows.h>

#include <QString>

#include "platform/core/ExecutableFolder.h"

namespace quadrello::platform {
namespace {

constexpr DWORD kLongestPath = 32768;  // the system's limit on an extended path

std::wstring Wide(const std::string& utf8) {
    return QString::fromStdString(utf8).toStdWString();
}

}  // namespace

std::string ExecutableFolder() {
    std::wstring path(kLongestPath, L'\0');
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), kLongestPath);
    if (length == 0 || length >= kLongestPath) {
        return {};
    }
    path.resize(length);
    const std::size_t separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos) {
        return {};
    }
    // A drive's root keeps its separator ("C:\").
    path.resize(separator == 2 && path[1] == L':' ? separator + 1 : separator);
    return QString::fromStdWString(path).toStdString();
}

bool FolderDeniesWriting(const std::string& folder) {
    // The system's own answer: a file that exists only for the question, gone when closed.
    static constexpr wchar_t kProbe[] = L"\\.quadrello-write-probe";
    const std::wstring probe = Wide(folder) + kProbe + std::to_wstring(::GetCurrentProcessId());
    const HANDLE file = ::CreateFileW(
        probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        ::CloseHandle(file);
        return false;
    }
    const DWORD error = ::GetLastError();
    return error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT;
}

bool Exists(const std::string& path) {
    return ::GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace quadrello::platform
