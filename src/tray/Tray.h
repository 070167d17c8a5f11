#pragma once

#include <QString>
#include <cstdint>

#include "Identity.h"

class QMenu;
class QWidget;

namespace quadrello::tray {

// The message the icon's notifications arrive as, and what they report (its lParam).
inline constexpr uint32_t kTrayCallbackMessage = 2025;
inline constexpr intptr_t kIconLeftButtonUp = 0x202;
inline constexpr intptr_t kIconLeftDoubleClick = 0x203;
inline constexpr intptr_t kIconRightButtonUp = 0x205;
inline constexpr intptr_t kIconMiddleButtonUp = 0x208;

// The icon's tip: the product name and, on a second line, the author.
inline constexpr char kTrayTip[] = QUADRELLO_PRODUCT "\r\n" QUADRELLO_AUTHOR;
// Characters of the tip that are shown; the rest is cut off.
inline constexpr int kTrayTipLength = 63;

// Puts the icon of `form` into the notification area: a left click on it restores or focuses
// `form`, a right click pops up `menu` at the pointer (hosts that draw menus themselves show
// `menu` instead).
void AddTrayIcon(QWidget* form, QMenu* menu);

// Sets the icon's tip.
void SetTrayTip(const QString& text);

// Removes the icon. Does nothing when no icon was ever added.
void RemoveTrayIcon();

// What a notification of the icon does to its owner window `hWnd`. Returns 0.
int32_t TrayWindowProc(QWidget* hWnd, uint32_t message, uintptr_t wParam, intptr_t lParam);

}  // namespace quadrello::tray
