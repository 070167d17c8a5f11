#include "platform/Fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace quadrello::platform {

namespace {

// The database names a family held by several foundries "Family [Foundry]".
QString FamilyName(const QString& listed) {
    const qsizetype foundry = listed.indexOf(QLatin1String(" ["));
    return foundry < 0 ? listed : listed.left(foundry);
}

}  // namespace

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

QString InstalledFace(const char* family) {
    const QString requested = QString::fromUtf8(family);
    QStringList installed = QFontDatabase::families();
    for (QString& listed : installed) {
        listed = FamilyName(listed);
    }
    // The database's own spelling: the substitution table keeps its names in lower case.
    const auto find = [&installed](const QString& face) -> QString {
        for (const QString& listed : installed) {
            if (listed.compare(face, Qt::CaseInsensitive) == 0) {
                return listed;
            }
        }
        return {};
    };
    if (const QString face = find(requested); !face.isEmpty()) {
        return face;
    }
    for (const QString& substitute : QFont::substitutes(requested)) {
        if (const QString face = find(substitute); !face.isEmpty()) {
            return face;
        }
    }
    return requested;
}

QFont FaceFont(const QString& family, int pixels) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setWeight(QFont::Normal);
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

QFont FaceFont(const char* family, int pixels) {
    return FaceFont(QString::fromUtf8(family), pixels);
}

QFont InputFont(const QString& family, int pixels) {
    QFont font = FaceFont(family, pixels);
    font.setStyleStrategy(QFont::PreferDefault);  // set explicitly, so it is not inherited
    return font;
}

QFont DefaultFont() {
    return FaceFont(InstalledFace(kSongFace), kDefaultFontPixels);
}

}  // namespace quadrello::platform
