#include "platform/LayeredWindow.h"

#include <QBitmap>
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <algorithm>

namespace quadrello::platform {

void SetColourKey(QWidget* window, const QImage& picture, QRgb key) {
    const QPixmap pixmap = QPixmap::fromImage(picture);
    window->setMask(pixmap.createMaskFromColor(QColor(key), Qt::MaskInColor));
}

void SetWindowAlpha(QWidget* window, int alpha) {
    window->setWindowOpacity(std::clamp(alpha, 0, kOpaqueAlpha) / double(kOpaqueAlpha));
    // A change of opacity made from a timer reaches the X server only with the next repaint.
    window->update();
}

}  // namespace quadrello::platform
