#include "settings/ProfileFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <system_error>

namespace quadrello {
namespace {

namespace fs = std::filesystem;

constexpr int kTemporaryNameAttempts = 64;
constexpr std::size_t kReadChunkBytes = 64u * 1024u;
constexpr mode_t kNewFileMode = 0666;  // narrowed by the process's umask, as for any new file
constexpr mode_t kPermissionBits = 07777;

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

std::string TemporaryPrefix(const std::string& path) {
    return "." + fs::path(path).filename().string() + ".tmp-";
}

// A name no other writer uses at the same moment: the process id and a per-process count.
std::string TemporaryPath(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    const std::string name = TemporaryPrefix(path) + std::to_string(::getpid()) + "-" +
                             std::to_string(counter.fetch_add(1));
    return (fs::path(ProfileFolder(path)) / name).string();
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
        contents.bytes.clear();
        return contents;
    }
    contents.status = ProfileFileStatus::Read;
    contents.attributes = ProfileFileAttributes{
        static_cast<unsigned>(info.st_mode & kPermissionBits), static_cast<unsigned>(info.st_uid),
        static_cast<unsigned>(info.st_gid)};
    return contents;
}

std::optional<std::string> ProfileWriteTarget(const std::string& path) {
    if (path.empty() || fs::path(path).filename().empty()) {
        return std::nullopt;
    }
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(path, error))) {
        return path;
    }
    const fs::path target = fs::canonical(path, error);
    if (error) {
        return std::nullopt;
    }
    return target.string();
}

std::string ProfileFolder(const std::string& path) {
    const fs::path folder = fs::path(path).parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}

bool ReplaceProfileFile(const std::string& path, std::string_view bytes,
                        const std::optional<ProfileFileAttributes>& attributes) {
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < kTemporaryNameAttempts && fd < 0; ++attempt) {
        temporary = TemporaryPath(path);
        fd = OpenRetrying(temporary.c_str(),
                          O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY,
                          kNewFileMode);
        if (fd < 0 && errno != EEXIST) {
            return false;
        }
    }
    if (fd < 0) {
        return false;
    }
    Descriptor file(fd);
    if (attributes) {
        // Owner first: a change of owner clears set-id bits that the mode then restores. Both
        // may fail for an unprivileged writer of another user's file; the content still counts.
        [[maybe_unused]] const int owned = ::fchown(fd, attributes->owner, attributes->group);
        ::fchmod(fd, attributes->mode);
    }
    const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    if (!file.Close() || !written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    FlushFolder(ProfileFolder(path));
    return true;
}

void RemoveStaleProfileTemporaries(const std::string& path) {
    const std::string prefix = TemporaryPrefix(path);
    std::error_code error;
    fs::directory_iterator entries(ProfileFolder(path), error);
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        if (entries->path().filename().string().starts_with(prefix)) {
            std::error_code ignored;
            fs::remove(entries->path(), ignored);
        }
    }
}

}  // namespace quadrello
