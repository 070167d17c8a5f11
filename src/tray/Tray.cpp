#include "tray/Tray.h"

#include <QMenu>
#include <QPointer>
#include <QWidget>

#include "platform/NotifyIcon.h"
#include "platform/NotifyIconOwner.h"
#include "platform/WindowProcedure.h"

namespace quadrello::tray {

namespace {

// The module's state: one icon for the one main window.
QPointer<QWidget> TrayForm;                    // the owner window, empty until the first add
QPointer<QMenu> TrayMenu;                      // the menu a right click pops up
platform::WindowProc OldWindowProc = nullptr;  // the owner's procedure before ours
platform::NotifyIconData TrayData;             // kept between the calls

// The tip field: the text, a NUL, and blanks up to the field's length.
QString TipField(const QString& text) {
    QString field = text + QChar(u'\0');
    return field.leftJustified(platform::kTipFieldLength, QChar(u' '), true);
}

}  // namespace

void AddTrayIcon(QWidget* form, QMenu* menu) {
    TrayForm = form;
    TrayMenu = menu;
    OldWindowProc = platform::SetWindowProc(form, &TrayWindowProc);
    TrayData.uID = 0;
    TrayData.cbSize = platform::kNotifyIconDataSize;
    TrayData.hWnd = form;
    TrayData.hIcon = form->windowIcon();
    TrayData.uCallbackMessage = kTrayCallbackMessage;
    TrayData.uFlags = platform::kNifMessage | platform::kNifIcon;
    platform::ShellNotifyIcon(platform::kNimAdd, TrayData);
}

void SetTrayTip(const QString& text) {
    TrayData.szTip = TipField(text);
    TrayData.uFlags = platform::kNifTip;
    platform::ShellNotifyIcon(platform::kNimModify, TrayData);
}

void RemoveTrayIcon() {
    if (TrayForm.isNull()) {
        return;
    }
    TrayData.uFlags = 0;
    platform::ShellNotifyIcon(platform::kNimDelete, TrayData);
    platform::SetWindowProc(TrayForm, OldWindowProc);
}

int32_t TrayWindowProc(QWidget* hWnd, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    // While a modal window is open the owner takes no input, and neither does its icon.
    if (message == kTrayCallbackMessage && !TrayForm.isNull() && !platform::ModalWindowOpen()) {
        if (lParam == platform::kIconLeftButtonUp) {
            if (platform::IsMinimised(TrayForm)) {
                platform::ShowNormal(TrayForm);
            } else {
                platform::FocusWindow(TrayForm);
            }
        } else if (lParam == platform::kIconRightButtonUp) {
            if (!TrayMenu.isNull()) {
                platform::PopUpMenuAtPointer(TrayMenu);
            }
            return 0;
        }
    }
    return platform::CallWindowProc(OldWindowProc, hWnd, message, wParam, lParam);
}

}  // namespace quadrello::tray
