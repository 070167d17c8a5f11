#include "platform/LayeredWindow.h"

#include <QBitmap>
#include <QGraphicsOpacityEffect>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <algorithm>

namespace quadrello::platform {

LayeredWindow::Mode LayeredWindow::PlatformMode() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland")) ? Mode::Painted
                                                                                : Mode::Shaped;
}

LayeredWindow::LayeredWindow(QWidget* window, Mode mode) : window_(window), mode_(mode) {
    if (mode_ == Mode::Painted) {
        window_->setAttribute(Qt::WA_TranslucentBackground);
        fade_ = new QGraphicsOpacityEffect(window_);
        window_->setGraphicsEffect(fade_);  // the window owns it from here
    }
}

void LayeredWindow::SetPicture(const QImage& picture, QRgb key) {
    if (mode_ == Mode::Shaped) {
        picture_ = picture;
        const QPixmap pixmap = QPixmap::fromImage(picture);
        window_->setMask(pixmap.createMaskFromColor(QColor(key), Qt::MaskInColor));
        return;
    }
    picture_ = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRgb opaqueKey = qRgb(qRed(key), qGreen(key), qBlue(key));
    for (int y = 0; y < picture_.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture_.scanLine(y));
        std::replace(row, row + picture_.width(), opaqueKey, QRgb(0));
    }
}

void LayeredWindow::SetAlpha(int alpha) {
    const double opacity = std::clamp(alpha, 0, kOpaqueAlpha) / double(kOpaqueAlpha);
    if (mode_ == Mode::Painted) {
        fade_->setOpacity(opacity);
        return;
    }
    window_->setWindowOpacity(opacity);
    // A change of opacity made from a timer reaches the X server only with the next repaint.
    window_->update();
}

void LayeredWindow::PaintPicture(QPainter& painter) const {
    // Painted, the transparent pixels replace what the window held.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, picture_);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

}  // namespace quadrello::platform
