// Draws the program's own pictures into a resources folder:
// - about/: the About window's 310 × 310 background with its title strip, frame and
//   colour-keyed corners, the 252 × 298 logo (256 colours) and the two 18 × 18 close glyphs;
// - icon/: the program's icon, a red parabola over blue axes on a gridded tile, at 16, 32 and
//   48 pixels in 8 bits per pixel, at 64, 128 and 256 pixels in 24 bits per pixel, and as the
//   scalable quadrello.svg drawn from the same shapes.
// Usage: draw-pictures RESOURCES_FOLDER
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int kBackgroundSize = 310;
constexpr int kStripHeight = 32;
constexpr int kFrameWidth = 2;
constexpr int kLogoWidth = 252;
constexpr int kLogoHeight = 298;
constexpr int kGlyphSize = 18;
// The icon's glyph is drawn in a 128-unit square and scaled to each size.
constexpr double kUnits = 128;

// The About window's colours; kKey is the colour the window shows as transparent.
const QColor kStripBlue(36, 94, 186);
const QColor kStripShade(26, 72, 150);
const QColor kBody(241, 246, 253);
const QColor kKey(255, 0, 255);
const QColor kCrossPale(164, 190, 232);
const QColor kCrossBright(255, 255, 255);

// The icon's colours.
const QColor kTile(250, 252, 255);
const QColor kFrame(84, 165, 213);
const QColor kGrid(208, 226, 240);
const QColor kAxis(0, 0, 255);
const QColor kCurve(255, 0, 0);

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

// A parabola opening upward with its vertex just below the x axis, so that it crosses it twice:
// screen y = 108 - (x - 70)^2 / 29 in tile units.
QPainterPath Parabola() {
    QPainterPath path;
    for (int x = 18; x <= 122; x += 2) {
        const double dx = x - 70.0;
        const QPointF point(x, 108.0 - dx * dx / 29.0);
        if (x == 18) {
            path.moveTo(point);
        } else {
            path.lineTo(point);
        }
    }
    return path;
}

// The icon at `size` pixels: 8 bits per pixel up to 48 pixels, 24 bits above.
QImage Icon(int size) {
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(kTile);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, size >= 32);
    painter.scale(size / kUnits, size / kUnits);
    const double pixel = kUnits / size;  // one device pixel in tile units

    if (size >= 32) {
        painter.setPen(QPen(kGrid, pixel));
        for (int v = 16; v < 128; v += 16) {
            painter.drawLine(QPointF(v, 0), QPointF(v, kUnits));
            painter.drawLine(QPointF(0, v), QPointF(kUnits, v));
        }
    }
    const double axisWidth = std::max(pixel, 5.0);
    painter.setPen(QPen(kAxis, axisWidth, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(8, 96), QPointF(120, 96));  // x axis
    painter.drawLine(QPointF(32, 8), QPointF(32, 120));  // y axis

    painter.setPen(QPen(kCurve, std::max(pixel * 1.5, 9.0), Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(Parabola());

    painter.setPen(QPen(kFrame, pixel, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(pixel / 2, pixel / 2, kUnits - pixel, kUnits - pixel));
    painter.end();
    return size <= 48 ? image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither)
                      : image.convertToFormat(QImage::Format_RGB888);
}

// The icon as SVG: the large sizes' tile, grid, axes and frame, and the parabola of Parabola()
// as the one quadratic Bézier segment that is exactly that curve (control point where the
// tangents at its ends meet, below the tile).
QByteArray SvgIcon() {
    const auto hex = [](const QColor& c) { return c.name().toLatin1(); };
    const auto y = [](double x) { return 108.0 - (x - 70.0) * (x - 70.0) / 29.0; };
    const double slope = -2.0 * (18.0 - 70.0) / 29.0;  // dy/dx at x = 18
    QByteArray grid;
    for (int v = 16; v < 128; v += 16) {
        grid += QStringLiteral("M%1 0V128M0 %1H128").arg(v).toLatin1();
    }
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"128\" height=\"128\" "
           "viewBox=\"0 0 128 128\">\n"
           "  <rect width=\"128\" height=\"128\" fill=\"" +
           hex(kTile) + "\"/>\n  <path d=\"" + grid + "\" stroke=\"" + hex(kGrid) +
           "\" stroke-width=\"1\"/>\n  <path d=\"M8 96H120M32 8V120\" stroke=\"" + hex(kAxis) +
           "\" stroke-width=\"5\"/>\n  <path d=\"" +
           QStringLiteral("M18 %1Q70 %2 122 %1")
               .arg(y(18), 0, 'f', 3)
               .arg(y(18) + slope * 52.0, 0, 'f', 3)
               .toLatin1() +
           "\" fill=\"none\" stroke=\"" + hex(kCurve) +
           "\" stroke-width=\"9\" stroke-linecap=\"round\"/>\n"
           "  <rect x=\"0.5\" y=\"0.5\" width=\"127\" height=\"127\" fill=\"none\" stroke=\"" +
           hex(kFrame) + "\" stroke-width=\"1\"/>\n</svg>\n";
}

bool SaveText(const QByteArray& text, const QDir& folder, const QString& name) {
    QFile file(folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size()) {
        std::fprintf(stderr, "draw-pictures: cannot write %s\n", qPrintable(file.fileName()));
        return false;
    }
    return true;
}

bool Save(const QImage& image, const QDir& folder, const QString& name) {
    const QString path = folder.filePath(name);
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "draw-pictures: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw-pictures RESOURCES_FOLDER\n");
        return 2;
    }
    const QDir resources(QString::fromLocal8Bit(argv[1]));
    const QDir about(resources.filePath(QStringLiteral("about")));
    const QDir icon(resources.filePath(QStringLiteral("icon")));
    bool ok = Save(Background(), about, QStringLiteral("background.png")) &&
              Save(Logo(), about, QStringLiteral("logo.png")) &&
              Save(CloseGlyph(kCrossPale), about, QStringLiteral("close-normal.png")) &&
              Save(CloseGlyph(kCrossBright), about, QStringLiteral("close-over.png"));
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        ok = ok && Save(Icon(size), icon, QStringLiteral("quadrello-%1.png").arg(size));
    }
    ok = ok && SaveText(SvgIcon(), icon, QStringLiteral("quadrello.svg"));
    return ok ? 0 : 1;
}
