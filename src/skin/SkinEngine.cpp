#include "skin/SkinEngine.h"

#include <QApplication>

#include "skin/SkinFile.h"
#include "skin/SkinSheet.h"
#include "skin/SkinStyle.h"

namespace quadrello::skin {

namespace {

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
    const std::optional<QByteArray> sheet = ReadSkinFile(path);
    if (!sheet) {
        return 0;
    }
    Apply(QString::fromUtf8(*sheet));
    return 1;
}

}  // namespace quadrello::skin
