#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace quadrello::platform {

// Makes `handle` a handle for moving its top-level window: a pointer move over it with the
// left button alone held hands the window to the window manager, which moves it with the
// pointer until the button is released. Without a window manager that can, the window follows
// the pointer's travel itself. Any other button state moves nothing.
class WindowMove : public QObject {
  public:
    explicit WindowMove(QWidget* handle);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Drag(const QPoint& globalPos);

    QWidget* handle_;
    QPoint lastPos_;           // the pointer's global position at the press or the last move
    bool pressed_ = false;     // between a press on the handle and its release
    bool handedOver_ = false;  // the window manager moves the window for this press
};

}  // namespace quadrello::platform
