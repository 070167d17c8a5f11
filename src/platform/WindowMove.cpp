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
    const auto* mouse = static_cast<QMouseEvent*>(event);
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            pressed_ = true;
            handedOver_ = false;
            lastPos_ = mouse->globalPosition().toPoint();
            break;
        case QEvent::MouseButtonRelease:
            pressed_ = mouse->buttons() != Qt::NoButton;
            break;
        case QEvent::MouseMove:
            // Moves can still report the button held after its release has arrived (when the
            // window manager hands the pointer back); only a press not yet released drags.
            if (pressed_ && mouse->buttons() == Qt::LeftButton) {
                Drag(mouse->globalPosition().toPoint());
            }
            break;
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
