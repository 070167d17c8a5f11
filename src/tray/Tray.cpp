#include "tray/Tray.h"

#include <QMenu>
#include <QPointer>
#include <QWidget>

#include "tray/TrayIcon.h"
#include "tray/TrayOwner.h"

namespace quadrello::tray {

namespace {

// The module's state: one icon for the one main window.
QPointer<QWidget> TrayForm;            // the owner window, empty until the first add
QPointer<QMenu> TrayMenu;              // the menu a right click pops up
QPointer<tray::TrayIcon> TrayIconNow;  // the icon while it is on

// Notifications are queued: the owner's handler runs after the icon has finished with the
// event that reported it, and not at all once the owner or that icon is gone.
void Route(tray::TrayIcon* icon, void (tray::TrayIcon::*signal)(), intptr_t what) {
    QObject::connect(
        icon, signal, TrayForm,
        [what, from = QPointer<tray::TrayIcon>(icon)] {
            if (!TrayForm.isNull() && !from.isNull() && from == TrayIconNow) {
                TrayWindowProc(TrayForm, kTrayCallbackMessage, 0, what);
            }
        },
        Qt::QueuedConnection);
}

// A window hidden into the tray would be lost with the last host: it comes back, shown
// normally. Minimised again once a host is back, it hides again.
void BringBackWithoutHost() {
    if (!TrayForm.isNull() && tray::IsHidden(TrayForm) && tray::IsMinimised(TrayForm) &&
        !tray::TrayHostAvailable()) {
        tray::ShowNormal(TrayForm);
    }
}

}  // namespace

void AddTrayIcon(QWidget* form, QMenu* menu) {
    RemoveTrayIcon();
    TrayForm = form;
    TrayMenu = menu;
    TrayIconNow = tray::CreateTrayIcon(form);
    Route(TrayIconNow, &tray::TrayIcon::leftReleased, kIconLeftButtonUp);
    Route(TrayIconNow, &tray::TrayIcon::rightReleased, kIconRightButtonUp);
    Route(TrayIconNow, &tray::TrayIcon::middleReleased, kIconMiddleButtonUp);
    Route(TrayIconNow, &tray::TrayIcon::doubleClicked, kIconLeftDoubleClick);
    QObject::connect(TrayIconNow, &tray::TrayIcon::hostsChanged, form, &BringBackWithoutHost,
                     Qt::QueuedConnection);
    TrayIconNow->Show(form->windowIcon(), menu);
}

void SetTrayTip(const QString& text) {
    if (!TrayIconNow.isNull()) {
        TrayIconNow->SetTip(text.left(kTrayTipLength));
    }
}

void RemoveTrayIcon() {
    if (TrayIconNow.isNull()) {
        return;
    }
    TrayIconNow->Hide();
    // It may be in the middle of delivering an event: let it go when that is over.
    TrayIconNow->deleteLater();
    TrayIconNow = nullptr;
}

int32_t TrayWindowProc(QWidget* hWnd, uint32_t message, uintptr_t, intptr_t lParam) {
    // While a modal window is open the owner takes no input, and neither does its icon.
    if (message != kTrayCallbackMessage || hWnd == nullptr || tray::ModalWindowOpen()) {
        return 0;
    }
    if (lParam == kIconLeftButtonUp) {
        if (tray::IsMinimised(hWnd)) {
            tray::ShowNormal(hWnd);
        } else {
            tray::FocusWindow(hWnd);
        }
    } else if (lParam == kIconRightButtonUp && !TrayMenu.isNull()) {
        tray::PopUpMenuAtPointer(TrayMenu);
    }
    return 0;
}

}  // namespace quadrello::tray
