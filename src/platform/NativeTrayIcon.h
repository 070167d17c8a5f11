#pragma once

// The real tray icon of this platform, behind the TrayIcon interface.

class QObject;

namespace quadrello::platform {

class TrayIcon;

TrayIcon* CreateNativeTrayIcon(QObject* parent);
bool NativeTrayHostAvailable();

}  // namespace quadrello::platform
