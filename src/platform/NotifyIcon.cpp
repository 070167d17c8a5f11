#include "platform/NotifyIcon.h"

#include <QSystemTrayIcon>

namespace quadrello::platform {

namespace {

NotifyIconService* replacement = nullptr;

}  // namespace

QString TipText(const QString& szTip) {
    const qsizetype nul = szTip.indexOf(QChar(u'\0'));
    return szTip.left(nul < 0 ? kTipFieldLength - 1 : qMin<qsizetype>(nul, kTipFieldLength - 1));
}

void SetNotifyIconService(NotifyIconService* service) {
    replacement = service;
}

bool ShellNotifyIcon(uint32_t command, const NotifyIconData& data) {
    if (replacement != nullptr) {
        return replacement->Notify(command, data);
    }
    return false;
}

bool TrayHostAvailable() {
    if (replacement != nullptr) {
        return replacement->HostAvailable();
    }
    return QSystemTrayIcon::isSystemTrayAvailable();
}

}  // namespace quadrello::platform
