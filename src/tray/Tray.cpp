#include "tray/Tray.h"

#include <QMenu>
#include <QPointer>
#include <QWidget>

#include "platform/TrayIcon.h"
#include "platform/TrayOwner.h"

namespace quadrello::tray {

namespace {

// The module's state: one icon for the one main window.
QPointer<QWidget> TrayForm;                // the owner window, empty until the first add
QPointer<QMenu> TrayMenu;                  // the menu a right click pops up
QPointer<platform::TrayIcon> TrayIconNow;  // the icon while it is on

// Notifications are queued: the owner's handler runs after the icon has finished with the
// event that reported it, and not at all once the owner or that icon is gone.
void Route(platform::TrayIcon* icon, void (platform::TrayIcon::*signal)(), intptr_t what) {
    QObject::connect(
        icon, signal, TrayForm,
        [what, from = QPointer<platform::TrayIcon>(icon)] {
            if (!TrayForm.isNull() && !from.isNull() && from == TrayIconNow) {
                TrayWindowProc(TrayForm, kTrayCallbackMessage, 0, what);
            }
        },
        Qt::QueuedConnection);
}

// A window hidden into the tray would be lost with the last host: it comes back, shown
// normally. Minimised again once a host is back, it hides again.
void BringBackWithoutHost() {
    if (!TrayForm.isNull() && platform::IsHidden(TrayForm) && platform::IsMinimised(TrayForm) &&
        !platform::TrayHostAvailable()) {
        platform::ShowNormal(TrayForm);
    }
}

}  // namespace

void AddTrayIcon(QWidget* form, QMenu* menu) {
    RemoveTrayIcon();
    TrayForm = form;
    TrayMenu = menu;
    TrayIconNow = platform::CreateTrayIcon(form);
    Route(TrayIconNow, &platform::TrayIcon::leftReleased, kIconLeftButtonUp);
    Route(TrayIconNow, &platform::TrayIcon::rightReleased, kIconRightButtonUp);
    Route(TrayIconNow, &platform::TrayIcon::middleReleased, kIconMiddleButtonUp);
    Route(TrayIconNow, &platform::TrayIcon::doubleClicked, kIconLeftDoubleClick);
    QObject::connect(TrayIconNow, &platform::TrayIcon::hostsChanged, form, &BringBackWithoutHost,
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
    if (message != kTrayCallbackMessage || hWnd == nullptr || platform::ModalWindowOpen()) {
        return 0;
    }
    if (lParam == kIconLeftButtonUp) {
        if (platform::IsMinimised(hWnd)) {
            platform::ShowNormal(hWnd);
        } else {
            platform::FocusWindow(hWnd);
        }
    } else if (lParam == kIconRightButtonUp && !TrayMenu.isNull()) {
        platform::PopUpMenuAtPointer(TrayMenu);
    }
    return 0;
}

}  // namespace quadrello::tray
