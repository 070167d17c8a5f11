#pragma once

class QString;
class QWidget;

namespace quadrello::platform {

// Screen readers see what a sighted user sees of `window`: not its hidden child widgets
// (switches that exist only to hold a stored value), not its decorations, and not the children
// that lie outside its client area (a collapsed panel's controls) for as long as they do. The
// keyboard's tab order is not changed.
void HideHiddenChildrenFromScreenReaders(QWidget* window);

// The same for a window that screen readers are to take for a dialog named `name`.
void ExposeAsDialog(QWidget* window, const QString& name);

// A picture that acts as a button (a close picture): read as a button named `name`.
void ExposeAsButton(QWidget* widget, const QString& name);

// A widget that only decorates (a frame line, a drag strip): not shown to screen readers.
void MarkAsDecoration(QWidget* widget);

// Tells screen readers that the focus has moved to `window`, which has no focusable control of
// its own to take it.
void AnnounceFocus(QWidget* window);

}  // namespace quadrello::platform
