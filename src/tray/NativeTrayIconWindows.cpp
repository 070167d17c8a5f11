// On Windows the notification area is always there, and Qt's icon is the native one: it
// reports the left button's release (WM_LBUTTONUP) as a trigger, the right button's release
// (WM_CONTEXTMENU) as a context request, and the double click as such.
#include <QSystemTrayIcon>

#include "platform/LineBreaks.h"
#include "tray/NativeTrayIcon.h"
#include "tray/TrayIcon.h"

namespace quadrello::tray {
namespace {

class WindowsTrayIcon final : public TrayIcon {
  public:
    explicit WindowsTrayIcon(QObject* parent) : TrayIcon(parent), icon_(this) {
        connect(&icon_, &QSystemTrayIcon::activated, this, &WindowsTrayIcon::Activated);
    }

    // The menu pops up on the right button's release through the tray routines, as everywhere.
    void Show(const QIcon& icon, QMenu*) override {
        icon_.setIcon(icon);
        icon_.show();
    }
    void SetTip(const QString& tip) override { icon_.setToolTip(platform::WithLfBreaks(tip)); }
    void Hide() override { icon_.hide(); }

  private:
    void Activated(QSystemTrayIcon::ActivationReason reason) {
        switch (reason) {
            case QSystemTrayIcon::Trigger:
                emit leftReleased();
                return;
            case QSystemTrayIcon::Context:
                emit rightReleased();
                return;
            case QSystemTrayIcon::MiddleClick:
                emit middleReleased();
                return;
            case QSystemTrayIcon::DoubleClick:
                emit doubleClicked();
                return;
            default:
                return;
        }
    }

    QSystemTrayIcon icon_;
};

}  // namespace

TrayIcon* CreateNativeTrayIcon(QObject* parent) {
    return new WindowsTrayIcon(parent);
}

bool NativeTrayHostAvailable() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

}  // namespace quadrello::tray
