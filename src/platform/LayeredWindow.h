#pragma once

#include <QColor>
#include <QImage>

class QGraphicsOpacityEffect;
class QPainter;
class QWidget;

namespace quadrello::platform {

// The colour that a layered window's picture marks as transparent.
inline constexpr QRgb kColourKeyMagenta = 0xFF00FF;  // RGB 255, 0, 255

inline constexpr int kOpaqueAlpha = 255;

// A top-level window drawn from a picture in which one colour is transparent, with one opacity
// for the whole window. Two ways to get there:
// - Shaped: the key colour's pixels are cut out of the window's shape and the opacity is the
//   window's own (X11 and Windows; `_NET_WM_WINDOW_OPACITY` on X11, which a compositor fades).
// - Painted: the window is translucent and paints itself, the key colour as transparent pixels
//   and everything, its controls included, at the opacity. Wayland needs this: a client can set
//   neither its shape nor its opacity there, and Qt warns at every attempt.
class LayeredWindow {
  public:
    enum class Mode { Shaped, Painted };

    // The way the running platform supports.
    static Mode PlatformMode();

    // Call in the window's constructor, before it is shown: a translucent window must be
    // translucent from its creation.
    explicit LayeredWindow(QWidget* window, Mode mode = PlatformMode());

    Mode WindowMode() const { return mode_; }

    // The window's picture, drawn at its origin; pixels of the colour `key` are transparent.
    void SetPicture(const QImage& picture, QRgb key);

    // The opacity of the whole window, 0 (invisible) to 255 (opaque); values outside are clamped.
    void SetAlpha(int alpha);

    // Draws the picture as the window's background; call from the window's paint event.
    void PaintPicture(QPainter& painter) const;

  private:
    QWidget* window_;
    Mode mode_;
    QImage picture_;                          // painted: with the key colour's pixels transparent
    QGraphicsOpacityEffect* fade_ = nullptr;  // painted: the whole window's opacity
};

}  // namespace quadrello::platform
