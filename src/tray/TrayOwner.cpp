#include "tray/TrayOwner.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QWidget>

namespace quadrello::tray {

bool IsMinimised(const QWidget* window) {
    return window->isMinimized();
}

bool IsHidden(const QWidget* window) {
    return window->isHidden();
}

void ShowNormal(QWidget* window) {
    window->showNormal();
    FocusWindow(window);
}

void FocusWindow(QWidget* window) {
    window->raise();
    window->activateWindow();
}

void PopUpMenuAtPointer(QMenu* menu) {
    menu->exec(QCursor::pos());
}

bool ModalWindowOpen() {
    return QApplication::activeModalWidget() != nullptr;
}

}  // namespace quadrello::tray
