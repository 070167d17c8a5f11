#include "platform/WindowMove.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace quadrello::platform {

WindowMove::WindowMove(QWidget* handle) : QObject(handle), handle_(handle) {
    handle->installEventFilter(this);
}

bool WindowMove::eventFilter(QObject* watched, QEvent* event) {
    if (watched != handle_) {
        return QObject::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            pressed_ = true;
            handedOver_ = false;
            lastPos_ = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
            break;
        case QEvent::MouseButtonRelease:
            pressed_ = static_cast<QMouseEvent*>(event)->buttons() != Qt::NoButton;
            break;
        case QEvent::MouseMove: {
            // Moves can still report the button held after its release has arrived (when the
            // window manager hands the pointer back); only a press not yet released drags.
            const auto* move = static_cast<QMouseEvent*>(event);
            if (pressed_ && move->buttons() == Qt::LeftButton) {
                Drag(move->globalPosition().toPoint());
            }
            break;
        }
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

void WindowMove::Drag(const QPoint& globalPos) {
    if (handedOver_) {
        return;
    }
    QWidget* window = handle_->window();
    if (window->windowHandle() != nullptr && window->windowHandle()->startSystemMove()) {
        handedOver_ = true;
        return;
    }
    window->move(window->pos() + (globalPos - lastPos_));
    lastPos_ = globalPos;
}

}  // namespace quadrello::platform
