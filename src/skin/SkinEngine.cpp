#include "skin/SkinEngine.h"

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
    Apply(QString::fromUtf8(sheet));
    return 1;
}

}  // namespace quadrello::skin
