// The Windows side of ProfileFile.h: the same reading and atomic replacement through Win32, with
// UTF-16 paths. The replacement takes the old file's access control list from its first moment
// and swaps itself in with ReplaceFileW, which keeps the replaced file's security descriptor,
// attributes and streams.
#include <windows.h>
// After windows.h, which it needs.
#include <aclapi.h>
#include <bcrypt.h>

#include <array>
#include <cerrno>
#include <string_view>

#include "settings/HexText.h"
#include "settings/ProfileFile.h"
#include "settings/ProfileTarget.h"
#include "settings/WindowsFiles.h"

namespace quadrello {
namespace {

using windows::Handle;
using windows::kShareAll;
using windows::Wide;

constexpr int kTemporaryNameAttempts = 64;
constexpr std::size_t kRandomNameBytes = 12;  // 96 bits: not to be guessed or pre-created
constexpr DWORD kReadChunkBytes = 64u * 1024u;
constexpr std::size_t kMostStaleRemovedPerWrite = 64;

std::string TemporaryPrefix(const std::string& path) {
    return "." + std::string(windows::FileName(path)) + ".tmp-";
}

bool IsTemporaryName(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix) || name.size() != prefix.size() + 2 * kRandomNameBytes) {
        return false;
    }
    name.remove_prefix(prefix.size());
    return name.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

std::optional<std::string> TemporaryPath(const std::string& path) {
    std::array<unsigned char, kRandomNameBytes> random{};
    if (!BCRYPT_SUCCESS(::BCryptGenRandom(nullptr, random.data(), random.size(),
                                          BCRYPT_USE_SYSTEM_PREFERRED_RNG))) {
        return std::nullopt;
    }
    const std::string name = TemporaryPrefix(path) + HexText(random);
    return ProfileFolder(path) + '\\' + name;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

bool ReadAll(HANDLE file, std::string& bytes) {
    std::string chunk(kReadChunkBytes, '\0');
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file, chunk.data(), kReadChunkBytes, &got, nullptr)) {
            return false;
        }
        if (got == 0) {
            return true;
        }
        bytes.append(chunk.data(), got);
        if (bytes.size() > kMaxProfileFileBytes) {
            return false;
        }
    }
}

// The access control list of the file `path` names, when that is still the file that was read.
class OriginalAccess {
  public:
    OriginalAccess(const std::string& path, const ProfileFileIdentity& original) {
        Handle file(::CreateFileW(Wide(path).c_str(), READ_CONTROL, kShareAll, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        const std::optional<windows::FileId> id =
            file.Valid() ? windows::IdOf(file.Get()) : std::nullopt;
        if (!id || id->volume != original.device || id->index != original.inode) {
            return;
        }
        if (::GetSecurityInfo(file.Get(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, nullptr, nullptr, &descriptor_) != ERROR_SUCCESS) {
            descriptor_ = nullptr;
        }
    }
    OriginalAccess(const OriginalAccess&) = delete;
    OriginalAccess& operator=(const OriginalAccess&) = delete;
    ~OriginalAccess() { ::LocalFree(descriptor_); }

    bool Known() const { return descriptor_ != nullptr; }
    SECURITY_ATTRIBUTES* Attributes() {
        attributes_ = {sizeof attributes_, descriptor_, FALSE};
        return &attributes_;
    }

  private:
    PSECURITY_DESCRIPTOR descriptor_ = nullptr;
    SECURITY_ATTRIBUTES attributes_{};
};

// Creates the temporary file under a fresh name; nullptr attributes give it what a new file in
// the folder gets.
HANDLE CreateTemporary(const std::string& path, SECURITY_ATTRIBUTES* access,
                       std::wstring& temporary) {
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const std::optional<std::string> name = TemporaryPath(path);
        if (!name) {
            return INVALID_HANDLE_VALUE;
        }
        temporary = Wide(*name);
        const HANDLE file = ::CreateFileW(temporary.c_str(), GENERIC_WRITE | DELETE, 0, access,
                                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) {
            return file;
        }
    }
    return INVALID_HANDLE_VALUE;
}

// Marks the open temporary to be deleted as its last handle closes, or takes the mark away just
// before it is swapped in: a writer ended half-way (Ctrl+C, a kill, a crash) leaves nothing.
bool DeleteOnClose(HANDLE file, bool remove) {
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = remove ? TRUE : FALSE;
    return ::SetFileInformationByHandle(file, FileDispositionInfo, &disposition,
                                        sizeof disposition) != 0;
}

WriteOutcome SystemFailure() {
    return {WriteRefusal::System, windows::ErrnoOf(::GetLastError())};
}

bool SwapIn(const std::wstring& temporary, const std::wstring& target, bool replacing) {
    if (!replacing) {
        // Never over a file that appeared meanwhile: that one was not read.
        return ::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
    }
    return ::ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                          REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0;
}

}  // namespace

ProfileFileContents ReadProfileFile(const std::string& path) {
    ProfileFileContents contents;
    const std::wstring wide = Wide(path);
    Handle file(wide.empty() ? INVALID_HANDLE_VALUE
                             : ::CreateFileW(wide.c_str(), GENERIC_READ, kShareAll, nullptr,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        const DWORD error = ::GetLastError();
        contents.status =
            (!wide.empty() && (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND))
                ? ProfileFileStatus::Missing
                : ProfileFileStatus::Unreadable;
        return contents;
    }
    // Only a file on disk: a pipe, console or device in its place would block or never end.
    LARGE_INTEGER size{};
    const std::optional<windows::FileId> id = windows::IdOf(file.Get());
    const bool readable = ::GetFileType(file.Get()) == FILE_TYPE_DISK && id &&
                          ::GetFileSizeEx(file.Get(), &size) &&
                          static_cast<unsigned long long>(size.QuadPart) <= kMaxProfileFileBytes;
    if (!readable || !ReadAll(file.Get(), contents.bytes)) {
        contents.status = ProfileFileStatus::Unreadable;
        contents.notAFile = ::GetFileType(file.Get()) != FILE_TYPE_DISK;
        contents.bytes.clear();
        return contents;
    }
    contents.status = ProfileFileStatus::Read;
    contents.identity = ProfileFileIdentity{id->volume, id->index};
    return contents;
}

std::string ProfileFolder(const std::string& path) {
    const std::size_t separator = path.find_last_of("/\\");
    if (separator == std::string::npos) {
        return path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : std::string(".");
    }
    // The root of a drive ("C:\") or of the current drive ("\") keeps its separator.
    const bool root = separator == 0 || (separator == 2 && path[1] == ':');
    return path.substr(0, root ? separator + 1 : separator);
}

WriteOutcome ReplaceableFile(const std::string& path,
                             std::optional<ProfileFileIdentity>& existing) {
    const std::wstring wide = Wide(path);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND ? WriteOutcome{} : SystemFailure();
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return {WriteRefusal::NotAFile, 0};
    }
    Handle file(::CreateFileW(wide.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        return SystemFailure();
    }
    const std::optional<windows::FileId> id = windows::IdOf(file.Get());
    if (::GetFileType(file.Get()) != FILE_TYPE_DISK || !id) {
        return {WriteRefusal::NotAFile, 0};
    }
    if (!MayWriteFile(path)) {
        return {WriteRefusal::System, EACCES};
    }
    existing = ProfileFileIdentity{id->volume, id->index};
    return {};
}

WriteOutcome ReplaceWholeFile(const std::string& path, std::string_view bytes,
                              const std::optional<ProfileFileIdentity>& original) {
    const std::wstring target = Wide(path);
    if (target.empty()) {
        return {WriteRefusal::NoFileName, 0};
    }
    std::optional<OriginalAccess> access;
    if (original) {
        access.emplace(path, *original);
        if (!access->Known()) {
            // No longer the file that was read, or its rights cannot be had.
            return {WriteRefusal::AccessNotKept, 0};
        }
    }
    std::wstring temporary;
    Handle file(CreateTemporary(path, access ? access->Attributes() : nullptr, temporary));
    if (!file.Valid()) {
        return SystemFailure();
    }
    // Best effort: where the file system cannot mark it, the next write takes a leftover away.
    const bool marked = DeleteOnClose(file.Get(), true);
    if (!WriteAll(file.Get(), bytes) || !::FlushFileBuffers(file.Get()) ||
        (marked && !DeleteOnClose(file.Get(), false))) {
        const WriteOutcome failure = SystemFailure();
        file.Close();
        ::DeleteFileW(temporary.c_str());
        return failure;
    }
    if (!file.Close() || !SwapIn(temporary, target, original.has_value())) {
        const WriteOutcome failure = SystemFailure();
        ::DeleteFileW(temporary.c_str());
        return failure;
    }
    return {};
}

void RemoveStaleProfileTemporaries(const std::string& path) {
    const std::string prefix = TemporaryPrefix(path);
    const std::string folder = ProfileFolder(path);
    WIN32_FIND_DATAW entry{};
    const HANDLE search = ::FindFirstFileW(Wide(folder + '\\' + prefix + '*').c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    std::size_t removed = 0;
    do {
        const std::string name = windows::Utf8(entry.cFileName);
        if (IsTemporaryName(name, prefix) &&
            (entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ==
                0) {
            ::DeleteFileW(Wide(folder + '\\' + name).c_str());
            ++removed;
        }
    } while (removed < kMostStaleRemovedPerWrite && ::FindNextFileW(search, &entry));
    ::FindClose(search);
}

void RemoveTemporaryOnInterrupt() {
    // Nothing to arrange: the temporary is marked for deletion while it is written, so the
    // system takes it away when the writer ends half-way (ReplaceWholeFile).
}

}  // namespace quadrello
