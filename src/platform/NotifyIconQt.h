#pragma once

#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <vector>

#include "platform/NotifyIcon.h"

namespace quadrello::platform {

// The notification area of the desktop, through QSystemTrayIcon. Each icon's activations are
// posted to its owner window's procedure as the callback message.
//
// QSystemTrayIcon reports activations on the button press. On an X11 tray (XEmbed) the icon is
// a widget of our own process, so the service watches the button releases on it instead, as
// the callback protocol has them: a left click gives one left-button release, a double click
// a release, the double click, and a second release. Where the icon lives in another process
// (a StatusNotifier host over D-Bus), the host's click reports are all there is, and each is
// delivered as the matching release.
class NotifyIconQt : public QObject, public NotifyIconService {
  public:
    bool Notify(uint32_t command, const NotifyIconData& data) override;
    bool HostAvailable() const override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Entry {
        QPointer<QWidget> owner;
        uint32_t id = 0;
        uint32_t callbackMessage = 0;
        QSystemTrayIcon* icon = nullptr;
        QPointer<QWidget> iconWidget;  // the XEmbed icon window, when there is one
    };

    bool Add(const NotifyIconData& data);
    bool Modify(const NotifyIconData& data);
    bool Delete(const NotifyIconData& data);
    void Apply(Entry& entry, const NotifyIconData& data);
    bool WatchIconWidget(Entry& entry);
    void Post(const Entry& entry, intptr_t what);
    std::vector<Entry>::iterator Find(const QWidget* owner, uint32_t id);

    std::vector<Entry> entries_;
};

}  // namespace quadrello::platform
