#include "platform/Fonts.h"

#include <QStringList>

namespace quadrello::platform {

void InstallFontSubstitutions() {
    // Without these, fontconfig answers a Song request with a Kai face. The first installed face
    // of each list wins; the others are further CJK serif faces a system may have instead.
    const QStringList song = {QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL SungtiL GB"),
                              QStringLiteral("Noto Serif CJK SC"),
                              QStringLiteral("Source Han Serif SC")};
    QFont::insertSubstitutions(QString::fromUtf8(kSongFace), song);
    QFont::insertSubstitutions(QString::fromUtf8(kNewSongFace), song);
    QFont::insertSubstitutions(QString::fromUtf8(kKaiFace), {QStringLiteral("AR PL UKai CN"),
                                                             QStringLiteral("AR PL KaitiM GB")});
}

QFont FaceFont(const char* family, int pixels) {
    QFont font(QString::fromUtf8(family));
    font.setPixelSize(pixels);
    font.setWeight(QFont::Normal);
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

QFont InputFont(const char* family, int pixels) {
    QFont font = FaceFont(family, pixels);
    font.setStyleStrategy(QFont::PreferDefault);  // set explicitly, so it is not inherited
    return font;
}

QFont DefaultFont() {
    return FaceFont(kSongFace, kDefaultFontPixels);
}

}  // namespace quadrello::platform
