// The exported menu as any program on the session bus may call it: every call gets an answer
// (an error for an id or property it does not have, or a list longer than any host sends), and
// a group clicks each entry at most once. Runs under its own dbus-run-session.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QMenu>
#include <QTest>

#include "tray/DBusMenu.h"

namespace quadrello::test {
namespace {

using tray::DBusMenu;
using tray::DBusMenuEvent;

constexpr char kPath[] = "/MenuBar";
constexpr int kHostile = 200000;  // far beyond kMaxGroupSize and kMaxPropertyNames

class MenuOverTheBus : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected()) << "run under dbus-run-session";
        QObject::connect(menu_.addAction(QStringLiteral("联系作者")), &QAction::triggered,
                         [this] { ++clicks_; });
        menu_.addSeparator();
        menu_.addAction(QStringLiteral("退出"));
        ASSERT_TRUE(QDBusConnection::sessionBus().registerObject(
            kPath, &exported_, QDBusConnection::ExportAllContents));
    }
    void TearDown() override { QDBusConnection::sessionBus().unregisterObject(kPath); }

    // The call as another program makes it, over a connection of its own.
    QDBusMessage Call(const QString& method, const QVariantList& args) {
        QDBusConnection caller =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("caller"));
        QDBusMessage call =
            QDBusMessage::createMethodCall(QDBusConnection::sessionBus().baseService(), kPath,
                                           QStringLiteral("com.canonical.dbusmenu"), method);
        call.setArguments(args);
        QDBusPendingCall pending = caller.asyncCall(call, 5000);
        EXPECT_TRUE(QTest::qWaitFor([&pending] { return pending.isFinished(); }, 6000));
        QApplication::processEvents();  // the clicks the call queued
        return pending.reply();
    }

    QMenu menu_;
    DBusMenu exported_{&menu_};
    int clicks_ = 0;
};

QVariant Ids(int count, int id) {
    return QVariant::fromValue(QList<int>(count, id));
}

QVariant Names(int count) {
    return QVariant::fromValue(QStringList(count, QStringLiteral("label")));
}

QVariant Clicks(int count, int id) {
    return QVariant::fromValue(QList<DBusMenuEvent>(
        count, DBusMenuEvent{id, QStringLiteral("clicked"), QDBusVariant(0), 0}));
}

TEST_F(MenuOverTheBus, EveryCallIsAnsweredAndBounded) {
    const struct {
        const char* name;
        QString method;
        QVariantList args;
        bool error;
        int clicks;
    } cases[] = {
        {"PropertyOfAnEntry", "GetProperty", {1, QStringLiteral("label")}, false, 0},
        {"PropertyOfNoEntry", "GetProperty", {99, QStringLiteral("label")}, true, 0},
        {"NoSuchProperty", "GetProperty", {1, QStringLiteral("colour")}, true, 0},
        {"LayoutOfNoEntry", "GetLayout", {42, -1, Names(1)}, true, 0},
        {"LayoutWithEndlessNames", "GetLayout", {0, -1, Names(kHostile)}, true, 0},
        {"GroupOfEndlessIds", "GetGroupProperties", {Ids(kHostile, 1), Names(0)}, true, 0},
        {"EndlessClicks", "EventGroup", {Clicks(kHostile, 1)}, true, 0},
        {"RepeatedClicksActOnce", "EventGroup", {Clicks(200, 1)}, false, 1},
        {"ClickOfNoEntry",
         "Event",
         {99, QStringLiteral("clicked"), QVariant::fromValue(QDBusVariant(0)), 0u},
         true,
         0},
    };
    for (const auto& c : cases) {
        clicks_ = 0;
        const QDBusMessage reply = Call(c.method, c.args);
        EXPECT_EQ(reply.type(), c.error ? QDBusMessage::ErrorMessage : QDBusMessage::ReplyMessage)
            << c.name << ": " << reply.errorMessage().toStdString();
        EXPECT_EQ(clicks_, c.clicks) << c.name;
    }
    const QDBusMessage group =
        Call("GetGroupProperties", {QVariant::fromValue(QList<int>{1, 1, 3, 1, 99}), Names(0)});
    ASSERT_EQ(group.type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(qdbus_cast<QList<tray::DBusMenuItem>>(group.arguments().at(0)).size(), 2)
        << "each entry once, no entry for an unknown id";
}

}  // namespace
}  // namespace quadrello::test

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
