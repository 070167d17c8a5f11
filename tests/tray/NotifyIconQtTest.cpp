// The real notification area service, as far as it works without a desktop: the icons it
// keeps, their tips, and activations posted to the owner's procedure.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPixmap>
#include <QWidget>

#include "platform/NotifyIconQt.h"
#include "platform/WindowProcedure.h"

namespace quadrello::test {
namespace {

using platform::NotifyIconData;

std::vector<std::tuple<uint32_t, uintptr_t, intptr_t>> received;
int32_t Receiver(QWidget*, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    received.emplace_back(message, wParam, lParam);
    return 0;
}

NotifyIconData Record(QWidget* owner, uint32_t flags) {
    QPixmap picture(16, 16);
    picture.fill(Qt::red);
    NotifyIconData data;
    data.hWnd = owner;
    data.uID = 3;
    data.uFlags = flags;
    data.uCallbackMessage = 2025;
    data.hIcon = QIcon(picture);
    data.szTip = QStringLiteral("Quadrello\r\nline two") + QChar(u'\0') + QStringLiteral("    ");
    return data;
}

TEST(NotifyIconQt, KeepsOneIconPerOwnerAndId) {
    platform::NotifyIconQt service;
    QWidget owner;
    NotifyIconData data = Record(&owner, platform::kNifMessage | platform::kNifIcon);
    EXPECT_FALSE(service.Notify(platform::kNimModify, data)) << "nothing to modify yet";
    EXPECT_FALSE(service.Notify(platform::kNimDelete, data)) << "nothing to delete yet";
    service.Notify(platform::kNimAdd, data);
    EXPECT_FALSE(service.Notify(platform::kNimAdd, data)) << "the icon is there already";
    data.uFlags = platform::kNifTip;
    EXPECT_TRUE(service.Notify(platform::kNimModify, data));
    const auto icons = service.findChildren<QSystemTrayIcon*>();
    ASSERT_EQ(icons.size(), 1);
    EXPECT_EQ(icons[0]->toolTip(), QStringLiteral("Quadrello\nline two"));
    EXPECT_FALSE(icons[0]->icon().isNull());

    data.uFlags = 0;
    EXPECT_TRUE(service.Notify(platform::kNimDelete, data));
    EXPECT_FALSE(service.Notify(platform::kNimDelete, data)) << "deleted already";
    EXPECT_FALSE(service.Notify(7, data)) << "no such command";
}

TEST(NotifyIconQt, PostsActivationsToTheOwnersProcedure) {
    platform::NotifyIconQt service;
    QWidget owner;
    platform::SetWindowProc(&owner, &Receiver);
    service.Notify(platform::kNimAdd, Record(&owner, platform::kNifMessage | platform::kNifIcon));
    auto* icon = service.findChild<QSystemTrayIcon*>();
    ASSERT_NE(icon, nullptr);

    received.clear();
    // Without an XEmbed tray, the activations are all the service hears of.
    emit icon->activated(QSystemTrayIcon::Trigger);
    emit icon->activated(QSystemTrayIcon::DoubleClick);
    emit icon->activated(QSystemTrayIcon::Context);
    emit icon->activated(QSystemTrayIcon::MiddleClick);
    emit icon->activated(QSystemTrayIcon::Unknown);
    EXPECT_TRUE(received.empty()) << "posted, not run inside the icon's own event";
    QCoreApplication::processEvents();
    const decltype(received) expected = {{2025, 3, platform::kIconLeftButtonUp},
                                         {2025, 3, platform::kIconLeftDoubleClick},
                                         {2025, 3, platform::kIconRightButtonUp},
                                         {2025, 3, platform::kIconMiddleButtonUp}};
    EXPECT_EQ(received, expected);
}

TEST(NotifyIconQt, NothingReachesAnOwnerThatIsGone) {
    platform::NotifyIconQt service;
    auto* owner = new QWidget;
    platform::SetWindowProc(owner, &Receiver);
    service.Notify(platform::kNimAdd, Record(owner, platform::kNifMessage | platform::kNifIcon));
    auto* icon = service.findChild<QSystemTrayIcon*>();
    ASSERT_NE(icon, nullptr);
    received.clear();
    emit icon->activated(QSystemTrayIcon::Trigger);
    delete owner;
    QCoreApplication::processEvents();
    EXPECT_TRUE(received.empty());
}

}  // namespace
}  // namespace quadrello::test
