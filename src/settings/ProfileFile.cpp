#include "settings/ProfileFile.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "settings/ProfileAttributes.h"

namespace quadrello {
namespace {

namespace fs = std::filesystem;

constexpr int kTemporaryNameAttempts = 64;
constexpr std::size_t kReadChunkBytes = 64u * 1024u;
constexpr mode_t kPrivateMode = 0600;
constexpr std::size_t kRandomNameBytes = 12;  // 96 bits: not to be guessed or pre-created

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

// A name nobody can foresee, so that nobody can take it first; nothing when the system has no
// randomness to give.
std::optional<std::string> TemporaryPath(const std::string& path) {
    std::array<unsigned char, kRandomNameBytes> random{};
    if (::getrandom(random.data(), random.size(), 0) != static_cast<ssize_t>(random.size())) {
        return std::nullopt;
    }
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string name = TemporaryPrefix(path);
    for (const unsigned char byte : random) {
        name += kDigits[byte >> 4];
        name += kDigits[byte & 0xF];
    }
    return (fs::path(ProfileFolder(path)) / name).string();
}

// Creates the temporary file, readable and writable by this process's user alone.
int CreatePrivateTemporary(const std::string& path, std::string& temporary) {
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const std::optional<std::string> name = TemporaryPath(path);
        if (!name) {
            return -1;
        }
        temporary = *name;
        const int fd = OpenRetrying(temporary.c_str(),
                                    O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY,
                                    kPrivateMode);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

// Gives the temporary file the access rights of the file it replaces, after making sure that
// `path` still names the file that was read.
bool TakeAccessRights(int temporary, const std::string& path,
                      const std::optional<ProfileFileIdentity>& original) {
    if (!original) {
        return GiveNewFileAccess(temporary);
    }
    Descriptor file(
        OpenRetrying(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW));
    struct stat info {};
    return file.Get() >= 0 && ::fstat(file.Get(), &info) == 0 && info.st_dev == original->device &&
           info.st_ino == original->inode && CopyFileAccess(file.Get(), temporary);
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
    contents.identity = ProfileFileIdentity{info.st_dev, info.st_ino};
    return contents;
}

std::string ProfileFolder(const std::string& path) {
    const fs::path folder = fs::path(path).parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}

bool ReplaceProfileFile(const std::string& path, std::string_view bytes,
                        const std::optional<ProfileFileIdentity>& original) {
    std::string temporary;
    Descriptor file(CreatePrivateTemporary(path, temporary));
    if (file.Get() < 0) {
        return false;
    }
    // The rights first, so that a write that cannot keep them costs no writing.
    const bool written = TakeAccessRights(file.Get(), path, original) &&
                         WriteAll(file.Get(), bytes) && ::fsync(file.Get()) == 0;
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
