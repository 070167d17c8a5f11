#pragma once

#include <QRect>
#include <QString>

#include "graph/Twips.h"

class QWidget;

namespace quadrello::platform {

// A place in twips as whole pixels.
QRect PixelRect(const graph::TwipsRect& twips);

// Gives a control of a window its object name and its place, for making a window's controls one
// line each.
template <typename Widget>
Widget* PlaceNamed(Widget* widget, const char* name, const graph::TwipsRect& twips) {
    widget->setObjectName(QString::fromUtf8(name));
    widget->setGeometry(PixelRect(twips));
    return widget;
}

// Moves `window` so that it stands in the middle of the primary screen's free area (panels
// left out), keeping its size.
void CentreOnScreen(QWidget* window);

}  // namespace quadrello::platform
