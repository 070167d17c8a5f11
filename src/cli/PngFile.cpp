#include "cli/PngFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QImageWriter>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace quadrello::cli {
namespace {

constexpr mode_t kPermissionBits = 07777;
constexpr mode_t kNewFileMode = 0666;

std::string SystemReason(int error) {
    return std::strerror(error);
}

// Writes all of `bytes`; false with errno set at the first write the system refuses.
bool WriteAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    std::size_t left = static_cast<std::size_t>(bytes.size());
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

// The picture is encoded in memory first (a plot compresses to a small fraction of the image),
// so that every write to the file is the program's own, its failure reported with the system's
// reason rather than the PNG library's.
std::string WritePicture(const QImage& picture, int fd) {
    // PNG is built into Qt Gui: no image-format plugin needs to be looked for or loaded.
    QCoreApplication::setLibraryPaths({});
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(picture)) {
        return writer.errorString().toStdString();
    }
    return WriteAll(fd, encoded) ? std::string() : SystemReason(errno);
}

// Writes straight into something that is not a regular file (a device, a pipe).
std::string WriteInPlace(const QImage& picture, const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return SystemReason(errno);
    }
    std::string reason = WritePicture(picture, fd);
    if (::close(fd) != 0 && reason.empty()) {
        reason = SystemReason(errno);
    }
    return reason;
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);  // read back at once: this program has a single thread
    ::umask(mask);
    return kNewFileMode & ~mask;
}

// Fills the private temporary file and gives it the rights the picture file is to have.
std::string FillTemporary(const QImage& picture, int fd, mode_t mode) {
    std::string reason = WritePicture(picture, fd);
    if (reason.empty() && (::fchmod(fd, mode) != 0 || ::fsync(fd) != 0)) {
        reason = SystemReason(errno);
    }
    if (::close(fd) != 0 && reason.empty()) {
        reason = SystemReason(errno);
    }
    return reason;
}

}  // namespace

std::string WritePngFile(const QImage& picture, const std::string& path) {
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) {
        return WriteInPlace(picture, path);
    }
    // Through a link, the file it leads to is replaced and the link kept.
    std::string target = path;
    if (char* real = exists ? ::realpath(path.c_str(), nullptr) : nullptr) {
        target = real;
        std::free(real);
    }
    const std::filesystem::path file(target);
    std::string temporary =
        (file.parent_path() / ("." + file.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);  // created 0600
    if (fd < 0) {
        return SystemReason(errno);
    }
    std::string reason =
        FillTemporary(picture, fd, exists ? existing.st_mode & kPermissionBits : NewFileMode());
    if (reason.empty() && ::rename(temporary.c_str(), target.c_str()) != 0) {
        reason = SystemReason(errno);
    }
    if (!reason.empty()) {
        ::unlink(temporary.c_str());
        return reason;
    }
    const std::string folder = file.parent_path().empty() ? "." : file.parent_path().string();
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);  // makes the rename durable; the picture is in place either way
        ::close(dir);
    }
    return {};
}

}  // namespace quadrello::cli
