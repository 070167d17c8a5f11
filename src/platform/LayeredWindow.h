#pragma once

#include <QColor>

class QImage;
class QWidget;

namespace quadrello::platform {

// The colour that a layered window's picture marks as transparent.
inline constexpr QRgb kColourKeyMagenta = 0xFF00FF;  // RGB 255, 0, 255

inline constexpr int kOpaqueAlpha = 255;

// Cuts every pixel of `picture` (drawn at the window's origin) that has the colour `key` out
// of the window's shape: the window shows what lies under it there.
void SetColourKey(QWidget* window, const QImage& picture, QRgb key);

// The opacity of the whole window, 0 (invisible) to 255 (opaque); values outside are clamped.
void SetWindowAlpha(QWidget* window, int alpha);

}  // namespace quadrello::platform
