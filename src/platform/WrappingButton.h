#pragma once

#include <QPushButton>

namespace quadrello::platform {

// A push button whose caption wraps onto as many lines as the button's width needs. The text
// property stays the caption exactly as set; only the drawing breaks it.
class WrappingButton : public QPushButton {
    Q_OBJECT

  public:
    WrappingButton(const QString& caption, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace quadrello::platform
