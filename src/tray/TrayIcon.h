#pragma once

#include <QIcon>
#include <QObject>
#include <QString>
#include <functional>

class QMenu;

namespace quadrello::tray {

// One icon in the desktop's notification area. It reports what the user did to it as button
// releases: a left click gives one left release, a double click a release, the double click
// and a second release. Tests replace the real icon (see SetTrayIconFactory).
class TrayIcon : public QObject {
    Q_OBJECT

  public:
    using QObject::QObject;

    // Shows `icon`; `menu` is offered to hosts that show an application's menu themselves.
    virtual void Show(const QIcon& icon, QMenu* menu) = 0;
    // The tip: its first line is the title, the rest the description. "\r\n" breaks lines.
    virtual void SetTip(const QString& tip) = 0;
    // Takes the icon away; Show brings it back.
    virtual void Hide() = 0;

  signals:
    void leftReleased();
    void rightReleased();
    void middleReleased();
    void doubleClicked();
    // Tray hosts came or went: TrayHostAvailable() may answer otherwise now.
    void hostsChanged();
};

// Makes the icons, and tells whether the desktop hosts icons now.
class TrayIconFactory {
  public:
    virtual ~TrayIconFactory() = default;
    virtual TrayIcon* Create(QObject* parent) = 0;
    // Without a host a window hidden "into the tray" could never come back.
    virtual bool HostAvailable() const = 0;
};

// Replaces the factory CreateTrayIcon and TrayHostAvailable use; null restores the real one
// (NativeTrayIcon.h).
void SetTrayIconFactory(TrayIconFactory* factory);

TrayIcon* CreateTrayIcon(QObject* parent);
bool TrayHostAvailable();

}  // namespace quadrello::tray
