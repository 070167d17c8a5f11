#pragma once

#include <QMenu>
#include <QPointer>
#include <vector>

#include "tray/TrayIcon.h"

namespace quadrello::test {

// Stands in for the notification area: keeps the icons it made and what was asked of them, and
// answers with a tray host present or not. Installed for its lifetime.
class FakeTrayIcons : public tray::TrayIconFactory {
  public:
    class Icon : public tray::TrayIcon {
      public:
        using TrayIcon::TrayIcon;
        void Show(const QIcon& shown, QMenu* offered) override {
            visible = true;
            icon = shown;
            menu = offered;
        }
        void SetTip(const QString& text) override { tip = text; }
        void Hide() override { visible = false; }

        bool visible = false;
        QIcon icon;
        QPointer<QMenu> menu;
        QString tip;
    };

    explicit FakeTrayIcons(bool hostAvailable = true) : host(hostAvailable) {
        tray::SetTrayIconFactory(this);
    }
    ~FakeTrayIcons() override { tray::SetTrayIconFactory(nullptr); }

    tray::TrayIcon* Create(QObject* parent) override {
        auto* icon = new Icon(parent);
        made.emplace_back(icon);
        return icon;
    }
    bool HostAvailable() const override { return host; }

    // The icon made last, while it exists.
    Icon* Last() const { return made.empty() ? nullptr : made.back().data(); }
    // Icons made and still shown.
    int Shown() const {
        int shown = 0;
        for (const auto& icon : made) {
            shown += !icon.isNull() && icon->visible;
        }
        return shown;
    }

    bool host;
    std::vector<QPointer<Icon>> made;
};

}  // namespace quadrello::test
