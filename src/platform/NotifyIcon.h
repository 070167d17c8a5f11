#pragma once

#include <QIcon>
#include <QString>
#include <cstdint>

class QWidget;

namespace quadrello::platform {

// Commands of ShellNotifyIcon.
inline constexpr uint32_t kNimAdd = 0;
inline constexpr uint32_t kNimModify = 1;
inline constexpr uint32_t kNimDelete = 2;

// Which fields of the record a command uses.
inline constexpr uint32_t kNifMessage = 1;
inline constexpr uint32_t kNifIcon = 2;
inline constexpr uint32_t kNifTip = 4;

// What happened on the icon: the lParam of the callback message sent to the owner window.
inline constexpr intptr_t kIconLeftButtonUp = 0x202;
inline constexpr intptr_t kIconLeftDoubleClick = 0x203;
inline constexpr intptr_t kIconRightButtonUp = 0x205;
inline constexpr intptr_t kIconMiddleButtonUp = 0x208;

// Characters of the tip field, its terminating NUL included.
inline constexpr int kTipFieldLength = 64;
inline constexpr uint32_t kNotifyIconDataSize = 88;

// One icon in the notification area, identified by its owner window and uID. The icon's
// activations reach the owner's window procedure as message uCallbackMessage with wParam uID
// and lParam one of the kIcon... values.
struct NotifyIconData {
    uint32_t cbSize = kNotifyIconDataSize;
    QWidget* hWnd = nullptr;
    uint32_t uID = 0;
    uint32_t uFlags = 0;
    uint32_t uCallbackMessage = 0;
    QIcon hIcon;
    QString szTip;  // the tip is the text before the first NUL (at most kTipFieldLength - 1)
};

// The text a tip field shows.
QString TipText(const QString& szTip);

// The notification area, replaceable by a recorder in tests.
class NotifyIconService {
  public:
    virtual ~NotifyIconService() = default;
    // Adds, modifies or deletes the icon `data` names; false when the command failed.
    virtual bool Notify(uint32_t command, const NotifyIconData& data) = 0;
    // Whether the desktop has a notification area that can show an icon now.
    virtual bool HostAvailable() const = 0;
};

// Replaces the service used by ShellNotifyIcon and TrayHostAvailable; null restores the real
// one, which shows the icons with QSystemTrayIcon.
void SetNotifyIconService(NotifyIconService* service);

bool ShellNotifyIcon(uint32_t command, const NotifyIconData& data);

// Without a notification area a window hidden "into the tray" could never come back.
bool TrayHostAvailable();

}  // namespace quadrello::platform
