#pragma once

#include <QPointer>
#include <QSystemTrayIcon>

#include "tray/TrayIcon.h"

namespace quadrello::tray {

class StatusNotifierItem;

// The real tray icon. Where a StatusNotifier host runs (KDE, XFCE, LXQt, waybar, GNOME's
// extension) the icon and its menu are exported over D-Bus, and the host shows the menu; on an
// X11 desktop without one the icon docks in an XEmbed tray through QSystemTrayIcon. The icon
// moves between the two whenever hosts start or stop, so neither the start order of panel and
// program nor a panel restart loses it.
//
// QSystemTrayIcon reports activations on the button press. In an XEmbed tray the icon is a
// widget of this process, so the releases are watched on it instead. That widget is found by
// the object name Qt gives it; should a Qt version name it otherwise, the press reports serve
// (the desktop end-to-end test fails loudly then, as the menu opens on the press).
class SystemTrayIcon : public TrayIcon {
  public:
    explicit SystemTrayIcon(QObject* parent);

    void Show(const QIcon& icon, QMenu* menu) override;
    void SetTip(const QString& tip) override;
    void Hide() override;

    // Whether some host can show an icon now.
    static bool HostAvailable();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Place();
    void ShowInXEmbedTray();
    bool WatchIconWidget();
    void Activated(QSystemTrayIcon::ActivationReason reason);
    void Released(Qt::MouseButton button);

    bool shown_ = false;
    QIcon icon_;
    QPointer<QMenu> menu_;
    QString tip_;
    StatusNotifierItem* item_ = nullptr;
    QSystemTrayIcon* xembed_ = nullptr;
    QPointer<QWidget> iconWidget_;
};

}  // namespace quadrello::tray
