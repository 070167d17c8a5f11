#pragma once

class QWidget;

namespace quadrello::platform {

// Screen readers are not told of `window`'s hidden child widgets: switches that exist only to
// hold a stored value have nothing to say to a user who cannot see or reach them.
void HideHiddenChildrenFromScreenReaders(QWidget* window);

}  // namespace quadrello::platform
