#pragma once

#include <QString>
#include <cstdint>

class QMenu;
class QWidget;

namespace quadrello::tray {

// The message the tray icon's notifications arrive as at the owner window's procedure.
inline constexpr uint32_t kTrayCallbackMessage = 2025;

// The icon's tip: the product name and, on a second line, the author.
inline constexpr char kTrayTip[] = "Quadrello\r\n作者：Tarvenn";

// Puts the icon of `form` into the notification area and installs TrayWindowProc as the
// procedure of `form`, so that a left click on the icon restores or focuses it and a right
// click pops up `menu` at the pointer.
void AddTrayIcon(QWidget* form, QMenu* menu);

// Sets the icon's tip.
void SetTrayTip(const QString& text);

// Removes the icon and gives the owner window its previous procedure back. Does nothing when
// no icon was ever added.
void RemoveTrayIcon();

// The owner window's procedure while the icon is on.
int32_t TrayWindowProc(QWidget* hWnd, uint32_t message, uintptr_t wParam, intptr_t lParam);

}  // namespace quadrello::tray
