#pragma once

class QMenu;
class QWidget;

namespace quadrello::tray {

// What the tray icon does to its owner window.

bool IsMinimised(const QWidget* window);

// Whether the window is hidden (into the tray), not merely minimised.
bool IsHidden(const QWidget* window);

// Takes the window out of the minimised state and shows it, active.
void ShowNormal(QWidget* window);

// Brings the window to the front and gives it the focus.
void FocusWindow(QWidget* window);

// Pops `menu` up at the pointer and returns when it has closed.
void PopUpMenuAtPointer(QMenu* menu);

// Whether an application-modal window (the About window, a message box) is open, so that the
// other windows take no input.
bool ModalWindowOpen();

}  // namespace quadrello::tray
