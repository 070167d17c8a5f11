#pragma once

class QWidget;

namespace quadrello::platform {

// Puts a top-level window above all others, or back among them, keeping its position, size,
// visibility and focus.
void SetTopmost(QWidget* window, bool topmost);

bool IsTopmost(const QWidget* window);

}  // namespace quadrello::platform
