#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

#include "skin/SkinFile.h"

namespace quadrello::skin {

std::optional<QByteArray> ReadSkinFile(const std::string& path) {
    // Opened by the path's bytes without ever waiting: a pipe or a device in its place would
    // block a plain open or read for good, so only a regular file of a skin's size is taken.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        return std::nullopt;
    }
    QFile file;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxSkinBytes ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
    // As many bytes as the file holds, and one more to see it grown past the limit meanwhile.
    QByteArray sheet = file.read(info.st_size + 1);
    if (sheet.size() > info.st_size) {
        sheet += file.read(kMaxSkinBytes + 1 - sheet.size());
    }
    if (sheet.size() > kMaxSkinBytes || file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    return sheet;
}

}  // namespace quadrello::skin
