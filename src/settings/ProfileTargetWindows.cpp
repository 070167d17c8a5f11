// The Windows side of ProfileTarget.h. A link (a symbolic link or junction, both reparse
// points) is followed only when this user, the administrators or the system own it: creating
// one takes a privilege, and one that another user planted could send the write into a file of
// this user's that it names.
#include <windows.h>
// After windows.h, which they need.
#include <aclapi.h>
#include <sddl.h>

#include "settings/ProfileFile.h"
#include "settings/ProfileTarget.h"
#include "settings/WindowsFiles.h"

namespace quadrello {
namespace {

using windows::Handle;
using windows::kShareAll;
using windows::Wide;

constexpr DWORD kLongestFinalPath = 32768;
constexpr std::wstring_view kLongPathPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongUncPrefix = L"\\\\?\\UNC\\";

bool IsCurrentUser(PSID owner) {
    HANDLE raw = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &raw)) {
        return false;
    }
    const Handle token(raw);
    DWORD size = 0;
    ::GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &size);
    std::string buffer(size, '\0');
    if (size == 0 || !::GetTokenInformation(token.Get(), TokenUser, buffer.data(), size, &size)) {
        return false;
    }
    return ::EqualSid(owner, reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid) != 0;
}

bool TrustedOwner(PSID owner) {
    return owner != nullptr && ::IsValidSid(owner) &&
           (IsCurrentUser(owner) || ::IsWellKnownSid(owner, WinBuiltinAdministratorsSid) ||
            ::IsWellKnownSid(owner, WinLocalSystemSid));
}

bool LinkTrusted(const std::wstring& link) {
    Handle file(::CreateFileW(link.c_str(), READ_CONTROL, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!file.Valid() ||
        ::GetSecurityInfo(file.Get(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr,
                          nullptr, nullptr, &descriptor) != ERROR_SUCCESS) {
        return false;
    }
    const bool trusted = TrustedOwner(owner);
    ::LocalFree(descriptor);
    return trusted;
}

// The path of the file a link leads to in the usual drive-letter (or UNC) form.
std::optional<std::string> FinalPath(const std::wstring& link) {
    Handle file(::CreateFileW(link.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.Valid()) {
        return std::nullopt;  // leads nowhere
    }
    std::wstring path(kLongestFinalPath, L'\0');
    const DWORD length = ::GetFinalPathNameByHandleW(file.Get(), path.data(), kLongestFinalPath,
                                                     FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0 || length >= kLongestFinalPath) {
        return std::nullopt;
    }
    path.resize(length);
    if (path.starts_with(kLongUncPrefix)) {
        path = L"\\\\" + path.substr(kLongUncPrefix.size());
    } else if (path.starts_with(kLongPathPrefix)) {
        path.erase(0, kLongPathPrefix.size());
    }
    return windows::Utf8(path);
}

}  // namespace

WriteTarget ResolveWriteTarget(const std::string& path) {
    const std::wstring wide = Wide(path);
    if (wide.empty() || wide.back() == L'\\' || wide.back() == L'/') {
        return {{}, {WriteRefusal::NoFileName, 0}};
    }
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        // A file yet to be created (its folder is checked when it is).
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            return {path, {}};
        }
        return {{}, {WriteRefusal::System, windows::ErrnoOf(error)}};
    }
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        return {path, {}};
    }
    if (!LinkTrusted(wide)) {
        return {{}, {WriteRefusal::ForeignLink, 0}};
    }
    std::optional<std::string> final = FinalPath(wide);
    if (!final) {
        return {{}, {WriteRefusal::BrokenLink, 0}};
    }
    return {std::move(*final), {}};
}

bool MayWriteFile(const std::string& path) {
    const std::wstring wide = Wide(path);
    const DWORD attributes =
        wide.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return false;
    }
    // Opening for writing changes nothing, and asks the system the question it would ask.
    const Handle file(::CreateFileW(wide.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.Valid();
}

}  // namespace quadrello
