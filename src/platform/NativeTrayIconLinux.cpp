// On Linux the icon serves StatusNotifier hosts over D-Bus and XEmbed trays alike.
#include "platform/NativeTrayIcon.h"

#include "platform/SystemTrayIcon.h"

namespace quadrello::platform {

TrayIcon* CreateNativeTrayIcon(QObject* parent) {
    return new SystemTrayIcon(parent);
}

bool NativeTrayHostAvailable() {
    return SystemTrayIcon::HostAvailable();
}

}  // namespace quadrello::platform
