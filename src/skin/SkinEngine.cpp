#include "skin/SkinEngine.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QFile>

#include "skin/SkinSheet.h"
#include "skin/SkinStyle.h"

namespace quadrello::skin {

namespace {

// A skin is a few kilobytes of colours; anything far larger is no skin of ours.
constexpr qint64 kMaxSkinBytes = 256 * 1024;

// Colours on plain selectors go into palettes; anything else needs Qt's style-sheet style.
// Either way they paint over the style's own palette, not the desktop's.
void Apply(const QString& sheet) {
    PinStandardPalette();
    std::optional<std::vector<SkinRule>> rules = ParseColourSheet(sheet);
    if (!rules) {
        qApp->setStyleSheet(sheet);
        return;
    }
    if (auto* skin = qobject_cast<SkinStyle*>(QApplication::style())) {
        skin->SetSheet(sheet, std::move(*rules));
    } else if (!rules->empty()) {
        QApplication::setStyle(new SkinStyle(QApplication::style(), sheet, std::move(*rules)));
    }
}

// Opens the skin by the path's bytes without ever waiting: a pipe or a device in its place
// would block a plain open or read for good, so only a regular file of a skin's size is taken.
bool OpenSkinFile(const std::string& path, QFile& file) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxSkinBytes ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

}  // namespace

int32_t SkinAttachEx(const std::string& path, int32_t /*flags*/) {
    QFile file;
    if (!OpenSkinFile(path, file)) {
        return 0;
    }
    const QByteArray sheet = file.read(kMaxSkinBytes + 1);
    if (sheet.size() > kMaxSkinBytes || file.error() != QFileDevice::NoError) {
        return 0;
    }
    Apply(QString::fromUtf8(sheet));
    return 1;
}

}  // namespace quadrello::skin
