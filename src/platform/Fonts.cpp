#include "platform/Fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QScreen>
#include <QStringList>
#include <cmath>

namespace quadrello::platform {

namespace {

// Set when a face outside the substitution lists stands in: it may lack some of the captions'
// characters, so other faces must be able to fill in.
bool fallbackFaceInUse = false;

// Each list starts with the faces' own names on a Chinese Windows, whose database may list
// them by their English names.
QStringList SongSubstitutes() {
    return {QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN"),
            QStringLiteral("AR PL SungtiL GB"), QStringLiteral("Noto Serif CJK SC"),
            QStringLiteral("Source Han Serif SC")};
}

QStringList NewSongSubstitutes() {
    return QStringList{QStringLiteral("NSimSun")} + SongSubstitutes();
}

QStringList KaiSubstitutes() {
    return {QStringLiteral("KaiTi_GB2312"), QStringLiteral("KaiTi"),
            QStringLiteral("AR PL UKai CN"), QStringLiteral("AR PL KaitiM GB")};
}

// The database names a family held by several foundries "Family [Foundry]".
QString FamilyName(const QString& listed) {
    const qsizetype foundry = listed.indexOf(QLatin1String(" ["));
    return foundry < 0 ? listed : listed.left(foundry);
}

// The installed face that `requested` names, or the first installed one of its substitutions,
// in the database's own spelling (the substitution table keeps its names in lower case); empty
// when there is none.
QString FindInstalled(const QString& requested) {
    QStringList installed = QFontDatabase::families();
    for (QString& listed : installed) {
        listed = FamilyName(listed);
    }
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
    return {};
}

// Faces whose glyphs from 11 to 16 pixels are hand-tuned bitmaps. Drawn without smoothing at
// those sizes they are as dark and sharp as 12-pixel Song text is meant to be; smoothed, the
// outlines come out thin and grey. Only where a logical pixel is a device pixel: scaled up, the
// size has no bitmap and the outlines want their smoothing.
bool DrawnFromBitmaps(const QString& face, int pixels) {
    constexpr int kSmallestBitmap = 11;
    constexpr int kLargestBitmap = 16;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return face.startsWith(QLatin1String("AR PL UMing"), Qt::CaseInsensitive) &&
           pixels >= kSmallestBitmap && pixels <= kLargestBitmap && screen != nullptr &&
           screen->devicePixelRatio() == 1.0;
}

// Whether a logical pixel covers a fractional number of device pixels (1.5, 1.25).
bool FractionalScale() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return false;
    }
    const qreal ratio = screen->devicePixelRatio();
    return ratio != std::floor(ratio);
}

// The faces the layout was drawn with: their glyphs fill the designed boxes exactly as they are.
bool DesignedFace(const QString& face) {
    return face.startsWith(QLatin1String("AR PL UMing"), Qt::CaseInsensitive) ||
           face.startsWith(QLatin1String("AR PL UKai"), Qt::CaseInsensitive);
}

// The characters whose ink must stay inside a caption's box: ideographs with strokes at the
// top of the em, the Greek delta, the circled numbers, digits and signs.
constexpr char kInkSample[] = "二次项系数计算器关于选项Δ①②0123456789=-.：";

// The size at which another face's captions fit the boxes laid out for `pixels`-pixel Song
// text: a label draws its first line from the top with the face's own ascent, so the ascent and
// the ink below the baseline together must stay within the design's `pixels`, as Song's do.
// Faces with tall ascents (Noto CJK) come out smaller; faces of Song's proportions keep the
// size. Measured once per face and size.
int FittingPixels(const QString& face, int pixels) {
    static QHash<QString, int> fitted;
    const QString key = face + QLatin1Char('/') + QString::number(pixels);
    if (const auto found = fitted.constFind(key); found != fitted.constEnd()) {
        return *found;
    }
    int size = pixels;
    for (; size > pixels / 2; --size) {
        QFont font(face);
        font.setPixelSize(size);
        const QFontMetrics metrics(font);
        const QRect ink = metrics.tightBoundingRect(QString::fromUtf8(kInkSample));
        if (metrics.ascent() + qMax(0, ink.bottom()) <= pixels) {
            break;
        }
    }
    fitted.insert(key, size);
    return size;
}

}  // namespace

void InstallFontSubstitutions() {
    // Without these, fontconfig answers a Song request with a Kai face. The first installed face
    // of each list wins; the others are further CJK serif faces a system may have instead.
    QFont::insertSubstitutions(QString::fromUtf8(kSongFace), SongSubstitutes());
    QFont::insertSubstitutions(QString::fromUtf8(kNewSongFace), NewSongSubstitutes());
    QFont::insertSubstitutions(QString::fromUtf8(kKaiFace), KaiSubstitutes());
}

void InstallFallbackFace() {
    const QString song = FindInstalled(QString::fromUtf8(kSongFace));
    const QString kai = FindInstalled(QString::fromUtf8(kKaiFace));
    if (!song.isEmpty() && !kai.isEmpty()) {
        return;
    }
    // A Song face serves for Kai and the other way round; only without either is another face
    // looked for, which lists the writing systems of every installed face.
    QString fallback = song.isEmpty() ? kai : song;
    if (fallback.isEmpty()) {
        const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
        if (chinese.isEmpty()) {
            return;  // nothing writes Chinese: the database's own choice is as good as any
        }
        fallback = FamilyName(chinese.first());
        fallbackFaceInUse = true;
    }
    for (const char* face : {kSongFace, kNewSongFace, kKaiFace}) {
        if (FindInstalled(QString::fromUtf8(face)).isEmpty()) {
            QFont::insertSubstitution(QString::fromUtf8(face), fallback);
        }
    }
}

QString InstalledFace(const char* family) {
    const QString requested = QString::fromUtf8(family);
    const QString installed = FindInstalled(requested);
    return installed.isEmpty() ? requested : installed;
}

QFont FaceFont(const QString& family, int pixels) {
    QFont font(family);
    const QString installed = FindInstalled(family);
    const bool designed = installed.isEmpty() || DesignedFace(installed);
    font.setPixelSize(designed ? pixels : FittingPixels(installed, pixels));
    font.setWeight(QFont::Normal);
    int strategy = fallbackFaceInUse ? QFont::PreferDefault : QFont::NoFontMerging;
    if (DrawnFromBitmaps(installed, pixels)) {
        strategy |= QFont::NoAntialias;
    }
    // Scaled by a fraction, no size has its bitmaps and Qt leaves the outlines unhinted: the
    // one-pixel strokes of the Song face then fall between device pixels and come out grey.
    // Hinted at the device size and drawn without smoothing, like its bitmaps, they are snapped
    // onto whole pixels and stay dark.
    if (FractionalScale() &&
        installed.startsWith(QLatin1String("AR PL UMing"), Qt::CaseInsensitive)) {
        font.setHintingPreference(QFont::PreferFullHinting);
        strategy |= QFont::NoAntialias;
    }
    font.setStyleStrategy(QFont::StyleStrategy(strategy));
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
