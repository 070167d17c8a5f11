#include "tray/Tray.h"

#include "platform/NotifyIcon.h"
#include "platform/WindowProcedure.h"

namespace quadrello::tray {

void AddTrayIcon(QWidget*, QMenu*) {}

void SetTrayTip(const QString&) {}

void RemoveTrayIcon() {}

int32_t TrayWindowProc(QWidget* hWnd, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return platform::DefaultWindowProc(hWnd, message, wParam, lParam);
}

}  // namespace quadrello::tray
