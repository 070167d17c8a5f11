#include "platform/NotifyIcon.h"

#include <QApplication>
#include <QPointer>

#include "platform/NotifyIconQt.h"

namespace quadrello::platform {

namespace {

NotifyIconService* replacement = nullptr;

// The real service lives as long as the application object.
NotifyIconService& Service() {
    if (replacement != nullptr) {
        return *replacement;
    }
    static QPointer<NotifyIconQt> real;
    if (real.isNull()) {
        real = new NotifyIconQt;
        real->setParent(qApp);
    }
    return *real;
}

}  // namespace

QString TipText(const QString& szTip) {
    const qsizetype nul = szTip.indexOf(QChar(u'\0'));
    const qsizetype end = nul < 0 ? kTipFieldLength - 1 : nul;
    return szTip.left(qMin<qsizetype>(end, kTipFieldLength - 1));
}

void SetNotifyIconService(NotifyIconService* service) {
    replacement = service;
}

bool ShellNotifyIcon(uint32_t command, const NotifyIconData& data) {
    return Service().Notify(command, data);
}

bool TrayHostAvailable() {
    return Service().HostAvailable();
}

}  // namespace quadrello::platform
