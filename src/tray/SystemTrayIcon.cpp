#include "tray/SystemTrayIcon.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QWidget>

#include "platform/LineBreaks.h"
#include "tray/StatusNotifierItem.h"

namespace quadrello::tray {

namespace {

// The object name Qt gives the widget that shows an icon in an XEmbed tray.
constexpr char kIconWidgetName[] = "QSystemTrayIconSys";

// XEmbed trays exist only on X11 (and the native trays elsewhere); a Wayland session has
// StatusNotifier hosts alone.
bool XEmbedPossible() {
    return QGuiApplication::platformName() != QLatin1String("wayland");
}

}  // namespace

SystemTrayIcon::SystemTrayIcon(QObject* parent) : TrayIcon(parent) {
    item_ = new StatusNotifierItem(this);
    connect(&StatusNotifierHosts::Instance(), &StatusNotifierHosts::changed, this, [this] {
        Place();
        emit hostsChanged();
    });
}

bool SystemTrayIcon::HostAvailable() {
    // Asked in this order so that Qt settles on its XEmbed tray only while no StatusNotifier
    // host runs: Qt decides once, at its first question, and the D-Bus side is ours.
    const StatusNotifierHosts& hosts = StatusNotifierHosts::Instance();
    if (!hosts.Known()) {
        return false;  // not yet: asking Qt now would make it settle on its tray too early
    }
    return hosts.Present() || (XEmbedPossible() && QSystemTrayIcon::isSystemTrayAvailable());
}

void SystemTrayIcon::Show(const QIcon& icon, QMenu* menu) {
    shown_ = true;
    icon_ = icon;
    menu_ = menu;
    Place();
}

void SystemTrayIcon::SetTip(const QString& tip) {
    tip_ = platform::WithLfBreaks(tip);
    item_->SetTip(tip_);
    if (xembed_ != nullptr) {
        xembed_->setToolTip(tip_);
    }
}

void SystemTrayIcon::Hide() {
    shown_ = false;
    Place();
}

// The icon goes where a host can show it: to a StatusNotifier host when one runs, else to an
// XEmbed tray (which Qt docks into whenever one appears).
void SystemTrayIcon::Place() {
    if (shown_ && !StatusNotifierHosts::Instance().Known()) {
        return;  // placed when the watcher has answered (or failed to)
    }
    const bool notifier =
        shown_ && StatusNotifierHosts::Instance().Present() && item_->Register(icon_, menu_);
    if (!notifier) {
        item_->Unregister();
    }
    if (shown_ && !notifier && XEmbedPossible()) {
        ShowInXEmbedTray();
    } else if (xembed_ != nullptr) {
        qApp->removeEventFilter(this);
        xembed_->hide();
    }
}

void SystemTrayIcon::ShowInXEmbedTray() {
    if (xembed_ == nullptr) {
        xembed_ = new QSystemTrayIcon(this);
        connect(xembed_, &QSystemTrayIcon::activated, this, &SystemTrayIcon::Activated);
    }
    xembed_->setIcon(icon_);
    xembed_->setToolTip(tip_);
    xembed_->show();
    if (!WatchIconWidget()) {
        // Qt makes the icon's widget only when a tray docks it: looked for as widgets show.
        qApp->installEventFilter(this);
    }
}

void SystemTrayIcon::Activated(QSystemTrayIcon::ActivationReason reason) {
    // An icon that docked after it was shown has its widget only now; the release that follows
    // this press is then the report.
    if (WatchIconWidget()) {
        return;
    }
    switch (reason) {
        case QSystemTrayIcon::Trigger:
            return Released(Qt::LeftButton);
        case QSystemTrayIcon::Context:
            return Released(Qt::RightButton);
        case QSystemTrayIcon::MiddleClick:
            return Released(Qt::MiddleButton);
        case QSystemTrayIcon::DoubleClick:
            emit doubleClicked();
            return;
        default:
            return;
    }
}

void SystemTrayIcon::Released(Qt::MouseButton button) {
    if (button == Qt::LeftButton) {
        emit leftReleased();
    } else if (button == Qt::RightButton) {
        emit rightReleased();
    } else if (button == Qt::MiddleButton) {
        emit middleReleased();
    }
}

// The XEmbed icon is a top-level widget of this process, made when the icon docks: at the
// show when a tray is there, later when one comes.
// Qt destroys that widget when the tray's manager goes away (the panel exits or crashes): the
// host is gone then.
bool SystemTrayIcon::WatchIconWidget() {
    if (!iconWidget_.isNull()) {
        return true;
    }
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String(kIconWidgetName)) {
            iconWidget_ = widget;
            widget->installEventFilter(this);
            qApp->removeEventFilter(this);
            connect(widget, &QObject::destroyed, this, [this] {
                emit hostsChanged();
                if (shown_ && xembed_ != nullptr) {
                    qApp->installEventFilter(this);  // for the next tray's widget
                }
            });
            return true;
        }
    }
    return false;
}

bool SystemTrayIcon::eventFilter(QObject* watched, QEvent* event) {
    if (iconWidget_.isNull() && event->type() == QEvent::Show &&
        watched->objectName() == QLatin1String(kIconWidgetName)) {
        WatchIconWidget();
    }
    if (watched != iconWidget_ || (event->type() != QEvent::MouseButtonRelease &&
                                   event->type() != QEvent::MouseButtonDblClick)) {
        return TrayIcon::eventFilter(watched, event);
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (mouse->button() == Qt::LeftButton) {
            emit doubleClicked();
        }
    } else if (iconWidget_->rect().contains(mouse->position().toPoint())) {
        Released(mouse->button());
    }
    return TrayIcon::eventFilter(watched, event);
}

}  // namespace quadrello::tray
