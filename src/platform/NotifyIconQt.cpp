#include "platform/NotifyIconQt.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "platform/WindowProcedure.h"

namespace quadrello::platform {

namespace {

// The object name Qt gives the widget that shows an icon in an XEmbed tray.
constexpr char kIconWidgetName[] = "QSystemTrayIconSys";

intptr_t ReleaseNotification(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return kIconLeftButtonUp;
        case Qt::RightButton:
            return kIconRightButtonUp;
        case Qt::MiddleButton:
            return kIconMiddleButtonUp;
        default:
            return 0;
    }
}

intptr_t ActivationNotification(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
        case QSystemTrayIcon::Trigger:
            return kIconLeftButtonUp;
        case QSystemTrayIcon::DoubleClick:
            return kIconLeftDoubleClick;
        case QSystemTrayIcon::Context:
            return kIconRightButtonUp;
        case QSystemTrayIcon::MiddleClick:
            return kIconMiddleButtonUp;
        default:
            return 0;
    }
}

// Tips are stored with CR LF line breaks; Qt's tooltips break at LF.
QString ToolTipText(const QString& szTip) {
    return TipText(szTip).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

bool NotifyIconQt::Notify(uint32_t command, const NotifyIconData& data) {
    switch (command) {
        case kNimAdd:
            return Add(data);
        case kNimModify:
            return Modify(data);
        case kNimDelete:
            return Delete(data);
        default:
            return false;
    }
}

bool NotifyIconQt::HostAvailable() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

std::vector<NotifyIconQt::Entry>::iterator NotifyIconQt::Find(const QWidget* owner, uint32_t id) {
    return std::find_if(entries_.begin(), entries_.end(),
                        [&](const Entry& entry) { return entry.owner == owner && entry.id == id; });
}

bool NotifyIconQt::Add(const NotifyIconData& data) {
    if (data.hWnd == nullptr || Find(data.hWnd, data.uID) != entries_.end()) {
        return false;
    }
    Entry& entry = entries_.emplace_back();
    entry.owner = data.hWnd;
    entry.id = data.uID;
    entry.icon = new QSystemTrayIcon(this);
    Apply(entry, data);

    QSystemTrayIcon* icon = entry.icon;
    connect(icon, &QSystemTrayIcon::activated, this, [this, icon](auto reason) {
        const auto it = std::find_if(entries_.begin(), entries_.end(),
                                     [icon](const Entry& e) { return e.icon == icon; });
        // An icon that docked after it was added has its widget only now; the release that
        // follows this press is then the notification.
        if (it != entries_.end() && !WatchIconWidget(*it)) {
            Post(*it, ActivationNotification(reason));
        }
    });
    icon->show();
    WatchIconWidget(entry);
    return HostAvailable();
}

bool NotifyIconQt::Modify(const NotifyIconData& data) {
    const auto it = Find(data.hWnd, data.uID);
    if (it == entries_.end()) {
        return false;
    }
    Apply(*it, data);
    return true;
}

bool NotifyIconQt::Delete(const NotifyIconData& data) {
    const auto it = Find(data.hWnd, data.uID);
    if (it == entries_.end()) {
        return false;
    }
    // The icon may be in the middle of delivering an event: let it go when that is over.
    it->icon->hide();
    it->icon->deleteLater();
    entries_.erase(it);
    return true;
}

void NotifyIconQt::Apply(Entry& entry, const NotifyIconData& data) {
    if ((data.uFlags & kNifMessage) != 0) {
        entry.callbackMessage = data.uCallbackMessage;
    }
    if ((data.uFlags & kNifIcon) != 0) {
        entry.icon->setIcon(data.hIcon);
    }
    if ((data.uFlags & kNifTip) != 0) {
        entry.icon->setToolTip(ToolTipText(data.szTip));
    }
}

// On an XEmbed tray the icon is a top-level widget of ours, made when the icon docks: at the
// show when a tray is there, later when one comes. The program has one icon, so the widget not
// yet watched is this entry's.
bool NotifyIconQt::WatchIconWidget(Entry& entry) {
    if (!entry.iconWidget.isNull()) {
        return true;
    }
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        const bool watched =
            std::any_of(entries_.begin(), entries_.end(),
                        [widget](const Entry& e) { return e.iconWidget == widget; });
        if (widget->objectName() == QLatin1String(kIconWidgetName) && !watched) {
            entry.iconWidget = widget;
            widget->installEventFilter(this);
            return true;
        }
    }
    return false;
}

bool NotifyIconQt::eventFilter(QObject* watched, QEvent* event) {
    const bool release = event->type() == QEvent::MouseButtonRelease;
    const bool doubleClick = event->type() == QEvent::MouseButtonDblClick;
    if (!release && !doubleClick) {
        return QObject::eventFilter(watched, event);
    }
    const auto it = std::find_if(entries_.begin(), entries_.end(),
                                 [watched](const Entry& e) { return e.iconWidget == watched; });
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (it == entries_.end()) {
        return QObject::eventFilter(watched, event);
    }
    if (release && it->iconWidget->rect().contains(mouse->position().toPoint())) {
        Post(*it, ReleaseNotification(mouse->button()));
    } else if (doubleClick && mouse->button() == Qt::LeftButton) {
        Post(*it, kIconLeftDoubleClick);
    }
    return QObject::eventFilter(watched, event);
}

// Notifications are posted, not sent: the owner's procedure runs after the icon has finished
// with the event, and not at all once the owner is gone.
void NotifyIconQt::Post(const Entry& entry, intptr_t what) {
    if (what == 0 || entry.owner.isNull() || entry.callbackMessage == 0) {
        return;
    }
    QWidget* owner = entry.owner;
    const uint32_t message = entry.callbackMessage;
    const uintptr_t id = entry.id;
    QMetaObject::invokeMethod(
        owner, [owner, message, id, what] { SendWindowMessage(owner, message, id, what); },
        Qt::QueuedConnection);
}

}  // namespace quadrello::platform
