#include "settings/ProfileFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <filesystem>

#include "settings/HexText.h"
#include "settings/ProfileAttributes.h"
#include "settings/ProfileTarget.h"

namespace quadrello {
namespace {

namespace fs = std::filesystem;

constexpr int kTemporaryNameAttempts = 64;
constexpr std::size_t kReadChunkBytes = 64u * 1024u;
constexpr mode_t kPrivateMode = 0600;
constexpr std::size_t kRandomNameBytes = 12;  // 96 bits: not to be guessed or pre-created
constexpr std::size_t kRandomNameDigits = 2 * kRandomNameBytes;
constexpr std::string_view kTemporaryMark = ".tmp-";
// Folder entries RemoveStaleProfileTemporaries looks at per write: a settings folder holds a
// handful; a shared folder with many thousands is not searched through at every click.
constexpr int kMaxEntriesLooked = 1024;
constexpr int kInterruptSignals[] = {SIGINT, SIGTERM, SIGHUP};

// The temporary file of the replacement in progress, for the interrupt handler: a fixed buffer,
// since a signal handler may not allocate.
char pendingTemporary[PATH_MAX];
volatile std::sig_atomic_t temporaryPending = 0;

void SetPending(const std::string& temporary) {
    temporaryPending = 0;
    if (temporary.size() < sizeof pendingTemporary) {
        std::memcpy(pendingTemporary, temporary.c_str(), temporary.size() + 1);
        temporaryPending = 1;
    }
}

void ClearPending() {
    temporaryPending = 0;
}

void RemovePendingAndEnd(int signal) {
    if (temporaryPending != 0) {
        ::unlink(pendingTemporary);
    }
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    ::sigaction(signal, &standard, nullptr);
    ::raise(signal);  // delivered as the handler returns: the process ends as asked
}

// Closes a descriptor when it goes out of scope.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { Close(); }
    int Get() const { return fd_; }
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

  private:
    int fd_;
};

int OpenRetrying(const char* path, int flags, mode_t mode = 0) {
    int fd;
    do {
        fd = ::open(path, flags, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Reads to the end, giving up once more than kMaxProfileFileBytes arrived.
bool ReadAll(int fd, std::string& bytes) {
    char chunk[kReadChunkBytes];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (got == 0) {
            return true;
        }
        bytes.append(chunk, static_cast<std::size_t>(got));
        if (bytes.size() > kMaxProfileFileBytes) {
            return false;
        }
    }
}

// "." + name + ".tmp-", the name cut so that the prefix and the random digits fit NAME_MAX.
std::string TemporaryPrefix(const std::string& path) {
    const std::string name = fs::path(path).filename().string();
    const std::size_t room = NAME_MAX - kRandomNameDigits - kTemporaryMark.size() - 1;
    return "." + name.substr(0, room) + std::string(kTemporaryMark);
}

bool IsOwnTemporaryName(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix) || name.size() != prefix.size() + kRandomNameDigits) {
        return false;
    }
    name.remove_prefix(prefix.size());
    return name.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

WriteOutcome SystemFailure(int error) {
    return {WriteRefusal::System, error};
}

// A name nobody can foresee, so that nobody can take it first; nothing when the system has no
// randomness to give.
std::optional<std::string> TemporaryPath(const std::string& path) {
    std::array<unsigned char, kRandomNameBytes> random{};
    if (::getrandom(random.data(), random.size(), 0) != static_cast<ssize_t>(random.size())) {
        return std::nullopt;
    }
    const std::string name = TemporaryPrefix(path) + HexText(random);
    return (fs::path(ProfileFolder(path)) / name).string();
}

// Creates the temporary file, readable and writable by this process's user alone, and names it
// to the interrupt handler (before it exists: removing a name not yet made does no harm).
int CreatePrivateTemporary(const std::string& path, std::string& temporary) {
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const std::optional<std::string> name = TemporaryPath(path);
        if (!name) {
            return -1;
        }
        temporary = *name;
        SetPending(temporary);
        const int fd = OpenRetrying(temporary.c_str(),
                                    O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY,
                                    kPrivateMode);
        if (fd >= 0) {
            return fd;
        }
        ClearPending();
        if (errno != EEXIST) {
            return -1;
        }
    }
    return -1;
}

// Gives the temporary file the access rights of the file it replaces, after making sure that
// `path` still names the file that was read.
WriteOutcome TakeAccessRights(int temporary, const std::string& path,
                              const std::optional<ProfileFileIdentity>& original) {
    if (!original) {
        return GiveNewFileAccess(temporary) ? WriteOutcome{} : SystemFailure(errno);
    }
    // O_NONBLOCK: a pipe put in the file's place meanwhile must not hold the write up.
    Descriptor file(
        OpenRetrying(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW));
    struct stat info {};
    if (file.Get() < 0 || ::fstat(file.Get(), &info) != 0) {
        return SystemFailure(errno);
    }
    if (info.st_dev != original->device || info.st_ino != original->inode) {
        return SystemFailure(EAGAIN);  // replaced by somebody else meanwhile: not ours to undo
    }
    return CopyFileAccess(file.Get(), temporary) ? WriteOutcome{}
                                                 : WriteOutcome{WriteRefusal::AccessNotKept, 0};
}

void FlushFolder(const std::string& folder) {
    Descriptor dir(OpenRetrying(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0) {
        ::fsync(dir.Get());  // makes the rename itself durable; a failure loses nothing
    }
}

}  // namespace

ProfileFileContents ReadProfileFile(const std::string& path) {
    ProfileFileContents contents;
    // O_NONBLOCK: opening a pipe must not wait for a writer; regular files ignore it.
    Descriptor file(OpenRetrying(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (file.Get() < 0) {
        contents.status = (errno == ENOENT || errno == ENOTDIR) ? ProfileFileStatus::Missing
                                                                : ProfileFileStatus::Unreadable;
        return contents;
    }
    struct stat info {};
    const bool readable = ::fstat(file.Get(), &info) == 0 && S_ISREG(info.st_mode) &&
                          static_cast<unsigned long long>(info.st_size) <= kMaxProfileFileBytes;
    if (readable) {
        contents.bytes.reserve(static_cast<std::size_t>(info.st_size));
    }
    if (!readable || !ReadAll(file.Get(), contents.bytes)) {
        contents.status = ProfileFileStatus::Unreadable;
        contents.notAFile = info.st_mode != 0 && !S_ISREG(info.st_mode);
        contents.bytes.clear();
        return contents;
    }
    contents.status = ProfileFileStatus::Read;
    contents.identity = ProfileFileIdentity{info.st_dev, info.st_ino};
    return contents;
}

std::string ProfileFolder(const std::string& path) {
    const fs::path folder = fs::path(path).parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}

WriteOutcome ReplaceableFile(const std::string& target,
                             std::optional<ProfileFileIdentity>& existing) {
    struct stat info {};
    if (::lstat(target.c_str(), &info) != 0) {
        return errno == ENOENT ? WriteOutcome{} : WriteOutcome{WriteRefusal::System, errno};
    }
    if (!S_ISREG(info.st_mode)) {
        return {WriteRefusal::NotAFile, 0};
    }
    if (!MayWriteFile(target)) {
        return {WriteRefusal::System, errno};
    }
    existing = ProfileFileIdentity{info.st_dev, info.st_ino};
    return {};
}

WriteOutcome ReplaceWholeFile(const std::string& path, std::string_view bytes,
                              const std::optional<ProfileFileIdentity>& original) {
    std::string temporary;
    Descriptor file(CreatePrivateTemporary(path, temporary));
    if (file.Get() < 0) {
        return SystemFailure(errno);
    }
    // The rights first, so that a write that cannot keep them costs no writing.
    WriteOutcome outcome = TakeAccessRights(file.Get(), path, original);
    if (outcome.Written() && (!WriteAll(file.Get(), bytes) || ::fsync(file.Get()) != 0)) {
        outcome = SystemFailure(errno);
    }
    if (!file.Close() && outcome.Written()) {
        outcome = SystemFailure(errno);
    }
    if (outcome.Written() && ::rename(temporary.c_str(), path.c_str()) != 0) {
        outcome = SystemFailure(errno);
    }
    if (!outcome.Written()) {
        ::unlink(temporary.c_str());
    }
    ClearPending();
    if (outcome.Written()) {
        FlushFolder(ProfileFolder(path));
    }
    return outcome;
}

void RemoveStaleProfileTemporaries(const std::string& path) {
    const std::string prefix = TemporaryPrefix(path);
    DIR* folder = ::opendir(ProfileFolder(path).c_str());
    if (folder == nullptr) {
        return;
    }
    const int fd = ::dirfd(folder);
    const uid_t self = ::geteuid();
    int looked = 0;
    for (const dirent* entry = ::readdir(folder); entry != nullptr && looked < kMaxEntriesLooked;
         entry = ::readdir(folder), ++looked) {
        struct stat info {};
        // Only this user's regular files: in a shared folder another user's writer may be
        // mid-write, and nothing else under such a name is ours to remove.
        if (IsOwnTemporaryName(entry->d_name, prefix) &&
            ::fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(info.st_mode) && info.st_uid == self) {
            ::unlinkat(fd, entry->d_name, 0);
        }
    }
    ::closedir(folder);
}

void RemoveTemporaryOnInterrupt() {
    struct sigaction action {};
    action.sa_handler = RemovePendingAndEnd;
    sigemptyset(&action.sa_mask);
    for (const int signal : kInterruptSignals) {
        sigaddset(&action.sa_mask, signal);
    }
    for (const int signal : kInterruptSignals) {
        struct sigaction before {};
        // A signal ignored by whoever started the program stays ignored.
        if (::sigaction(signal, nullptr, &before) == 0 && before.sa_handler != SIG_IGN) {
            ::sigaction(signal, &action, nullptr);
        }
    }
}

}  // namespace quadrello
