#include "platform/WindowMove.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace quadrello::platform {

WindowMove::WindowMove(QWidget* handle) : QObject(handle), handle_(handle) {
    handle->installEventFilter(this);
}

bool WindowMove::eventFilter(QObject* watched, QEvent* event) {
    if (watched == handle_) {
        if (event->type() == QEvent::MouseButtonPress) {
            lastPos_ = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        } else if (event->type() == QEvent::MouseMove) {
            const auto* move = static_cast<QMouseEvent*>(event);
            if (move->buttons() == Qt::LeftButton) {
                Drag(move->globalPosition().toPoint());
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void WindowMove::Drag(const QPoint& globalPos) {
    QWidget* window = handle_->window();
    if (window->windowHandle() != nullptr && window->windowHandle()->startSystemMove()) {
        return;
    }
    window->move(window->pos() + (globalPos - lastPos_));
    lastPos_ = globalPos;
}

}  // namespace quadrello::platform
