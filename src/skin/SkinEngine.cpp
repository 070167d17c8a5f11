#include "skin/SkinEngine.h"

#include <QApplication>
#include <QFile>

namespace quadrello::skin {

namespace {

// A skin is a few kilobytes of colours; anything far larger is no skin of ours.
constexpr qint64 kMaxSkinBytes = 256 * 1024;

}  // namespace

int32_t SkinAttachEx(const std::string& path, int32_t /*flags*/) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxSkinBytes) {
        return 0;
    }
    const QByteArray sheet = file.read(kMaxSkinBytes + 1);
    if (sheet.size() > kMaxSkinBytes || file.error() != QFileDevice::NoError) {
        return 0;
    }
    qApp->setStyleSheet(QString::fromUtf8(sheet));
    return 1;
}

}  // namespace quadrello::skin
