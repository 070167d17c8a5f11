#pragma once

#include <QLabel>

namespace quadrello::platform {

// Static text that takes no focus. An auto-size label is one line exactly as wide as its
// caption; a fixed-size one cuts off what does not fit. A transparent label paints no
// background of its own.
class Label : public QLabel {
    Q_OBJECT

  public:
    enum class Sizing { Fixed, AutoSize };
    enum class Background { Transparent, Opaque };

    Label(const QString& caption, Sizing sizing, Background background, QWidget* parent);

    // Sets the caption; an auto-size label then takes the caption's width.
    void SetCaption(const QString& caption);

  private:
    Sizing sizing_;
};

}  // namespace quadrello::platform
