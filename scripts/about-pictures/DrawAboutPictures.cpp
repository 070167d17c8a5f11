// Draws the About window's pictures: the 310 × 310 background with its title strip, frame and
// colour-keyed corners, the 252 × 298 logo (256 colours) and the two 18 × 18 close glyphs.
// Usage: draw-about-pictures OUTPUT_FOLDER
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

constexpr int kBackgroundSize = 310;
constexpr int kStripHeight = 32;
constexpr int kFrameWidth = 2;
constexpr int kLogoWidth = 252;
constexpr int kLogoHeight = 298;
constexpr int kGlyphSize = 18;

const QColor kStripBlue(36, 94, 186);
const QColor kStripShade(26, 72, 150);
const QColor kBody(241, 246, 253);
const QColor kKey(255, 0, 255);
const QColor kCrossPale(164, 190, 232);
const QColor kCrossBright(255, 255, 255);

QImage Background() {
    QImage image(kBackgroundSize, kBackgroundSize, QImage::Format_RGB888);
    image.fill(kBody);
    QPainter p(&image);
    p.fillRect(0, 0, kBackgroundSize, kStripHeight, kStripBlue);
    p.fillRect(0, kStripHeight - 1, kBackgroundSize, 1, kStripShade);
    for (int i = 0; i < kFrameWidth; ++i) {
        p.setPen(kStripBlue);
        p.drawRect(i, i, kBackgroundSize - 1 - 2 * i, kBackgroundSize - 1 - 2 * i);
    }
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font("AR PL UMing CN");
    font.setPixelSize(15);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(12, 0, 80, kStripHeight), Qt::AlignLeft | Qt::AlignVCenter, "关于");
    p.end();
    // The corner pixel and its two neighbours along the edges, at each corner.
    const int last = kBackgroundSize - 1;
    for (const QPoint corner :
         {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)}) {
        const int dx = corner.x() == 0 ? 1 : -1;
        const int dy = corner.y() == 0 ? 1 : -1;
        image.setPixelColor(corner, kKey);
        image.setPixelColor(corner + QPoint(dx, 0), kKey);
        image.setPixelColor(corner + QPoint(0, dy), kKey);
    }
    return image;
}

// A card with a grid, two axes and an orange parabola through two marked roots, its vertex
// marked too. Drawn bold, since the window shows it at a quarter of its size, and without
// antialiasing, so that its few colours make an exact 256-colour table.
QImage Logo() {
    QImage image(kLogoWidth, kLogoHeight, QImage::Format_RGB32);
    image.fill(kBody);
    QPainter p(&image);
    const QRectF card(8, 8, kLogoWidth - 16, kLogoHeight - 16);
    p.setPen(QPen(kStripBlue, 8));
    p.setBrush(QColor(255, 255, 255));
    p.drawRoundedRect(card, 28, 28);

    p.setPen(QPen(QColor(180, 200, 230), 3));
    for (int x = 46; x < kLogoWidth - 20; x += 40) {
        p.drawLine(QPointF(x, 30), QPointF(x, kLogoHeight - 30));
    }
    for (int y = 50; y < kLogoHeight - 20; y += 40) {
        p.drawLine(QPointF(24, y), QPointF(kLogoWidth - 24, y));
    }
    const double axisY = 180;
    const double axisX = 62;
    p.setPen(QPen(kStripBlue, 10, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(26, axisY), QPointF(kLogoWidth - 30, axisY));
    p.drawLine(QPointF(axisX, kLogoHeight - 30), QPointF(axisX, 34));

    // An upward parabola with its roots on the axis and its vertex below it.
    const double h = 150;
    const double halfWidth = 55;
    const double depth = 60;
    QPainterPath curve;
    for (int x = 64; x <= kLogoWidth - 24; ++x) {
        const double u = (x - h) / halfWidth;
        const QPointF point(x, axisY + depth * (1 - u * u));
        x == 64 ? curve.moveTo(point) : curve.lineTo(point);
    }
    p.setClipRect(card.adjusted(8, 8, -8, -8));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 128, 0), 14, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(curve);
    p.setPen(QPen(Qt::white, 4));
    p.setBrush(QColor(220, 30, 30));
    for (const QPointF mark : {QPointF(h - halfWidth, axisY), QPointF(h + halfWidth, axisY),
                               QPointF(h, axisY + depth)}) {
        p.drawEllipse(mark, 13, 13);
    }
    p.end();
    return image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
}

QImage CloseGlyph(const QColor& cross) {
    QImage image(kGlyphSize, kGlyphSize, QImage::Format_RGB888);
    image.fill(kStripBlue);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(cross, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5, 5), QPointF(13, 13));
    p.drawLine(QPointF(13, 5), QPointF(5, 13));
    return image;
}

bool Save(const QImage& image, const QDir& folder, const char* name) {
    const QString path = folder.filePath(name);
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const bool ok = Save(Background(), folder, "background.png") &&
                    Save(Logo(), folder, "logo.png") &&
                    Save(CloseGlyph(kCrossPale), folder, "close-normal.png") &&
                    Save(CloseGlyph(kCrossBright), folder, "close-over.png");
    return ok ? 0 : 1;
}
