#include "platform/TrayIcon.h"

#include "platform/SystemTrayIcon.h"

namespace quadrello::platform {

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
    return new SystemTrayIcon(parent);
}

bool TrayHostAvailable() {
    return replacement != nullptr ? replacement->HostAvailable() : SystemTrayIcon::HostAvailable();
}

}  // namespace quadrello::platform
