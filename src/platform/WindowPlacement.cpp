#include "platform/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace quadrello::platform {

QRect PixelRect(const graph::TwipsRect& twips) {
    return {graph::TwipsToPixels(twips.left), graph::TwipsToPixels(twips.top),
            graph::TwipsToPixels(twips.width), graph::TwipsToPixels(twips.height)};
}

void CentreOnScreen(QWidget* window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        window->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window->size(),
                                                screen->availableGeometry()));
    }
}

}  // namespace quadrello::platform
