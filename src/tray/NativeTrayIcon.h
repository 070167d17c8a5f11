#pragma once

// The real tray icon of this platform, behind the TrayIcon interface.

class QObject;

namespace quadrello::tray {

class TrayIcon;

TrayIcon* CreateNativeTrayIcon(QObject* parent);
bool NativeTrayHostAvailable();

}  // namespace quadrello::tray
