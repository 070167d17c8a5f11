// On Linux the icon serves StatusNotifier hosts over D-Bus and XEmbed trays alike.
#include "tray/NativeTrayIcon.h"

#include "tray/SystemTrayIcon.h"

namespace quadrello::tray {

TrayIcon* CreateNativeTrayIcon(QObject* parent) {
    return new SystemTrayIcon(parent);
}

bool NativeTrayHostAvailable() {
    return SystemTrayIcon::HostAvailable();
}

}  // namespace quadrello::tray
