// Draws the program's icon: a red parabola over blue axes on a gridded tile, at 16, 32 and 48
// pixels in 8 bits per pixel and at 64 and 128 pixels in 24 bits per pixel.
// Usage: make-icon OUTPUT_FOLDER
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

// The glyph is drawn in a 128-unit square and scaled to each size.
constexpr double kUnits = 128;
const QColor kTile(250, 252, 255);
const QColor kFrame(84, 165, 213);
const QColor kGrid(208, 226, 240);
const QColor kAxis(0, 0, 255);
const QColor kCurve(255, 0, 0);

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

QImage Draw(int size) {
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
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-icon OUTPUT_FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (const int size : {16, 32, 48, 64, 128}) {
        const QImage art = Draw(size);
        const QImage stored =
            size <= 48 ? art.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither)
                       : art.convertToFormat(QImage::Format_RGB888);
        const QString path = QStringLiteral("%1/quadrello-%2.png").arg(folder).arg(size);
        if (!stored.save(path, "PNG")) {
            std::fprintf(stderr, "make-icon: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
