#include "tray/TrayIcon.h"

#include "tray/NativeTrayIcon.h"

namespace quadrello::tray {

namespace {

TrayIconFactory* replacement = nullptr;

}  // namespace

void SetTrayIconFactory(TrayIconFactory* factory) {
    replacement = factory;
}

TrayIcon* CreateTrayIcon(QObject* parent) {
    if (replacement != nullptr) {
        return replacement->Create(parent);
    }
    return CreateNativeTrayIcon(parent);
}

bool TrayHostAvailable() {
    return replacement != nullptr ? replacement->HostAvailable() : NativeTrayHostAvailable();
}

}  // namespace quadrello::tray
