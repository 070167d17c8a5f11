#pragma once

#include <QRect>

#include "platform/Twips.h"

class QWidget;

namespace quadrello::platform {

// A place in twips as whole pixels.
QRect PixelRect(const TwipsRect& twips);

// Moves `window` so that it stands in the middle of the primary screen's free area (panels
// left out), keeping its size.
void CentreOnScreen(QWidget* window);

}  // namespace quadrello::platform
