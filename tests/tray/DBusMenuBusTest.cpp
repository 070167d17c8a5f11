// The exported menu as any program on the session bus may call it: every call gets an answer
// (an error for an id or property it does not have, or a list longer than any host sends), and
// a group clicks each entry at most once. However long the caller's lists, the window thread
// spends little time on a call and the process's memory comes back to where it was. Runs under
// its own dbus-run-session.
#include <gtest/gtest.h>
#include <time.h>

#include <QApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QElapsedTimer>
#include <QMenu>
#include <QTest>

#include "common/ResidentMemory.h"
#include "tray/DBusMenu.h"

namespace quadrello::test {
namespace {

using tray::DBusMenu;
using tray::DBusMenuEvent;

constexpr char kPath[] = "/MenuBar";
constexpr int kHostile = 200000;  // far beyond kMaxGroupSize and kMaxPropertyNames
#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer's allocator holds freed memory back and runs several times slower.
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
// What the window thread may spend on one call: reading a whole hostile list takes it tens of
// milliseconds, a group at the limit well under one.
constexpr double kWindowThreadMs = kSanitized ? 50 : 10;
// How long a call may take to be answered, its sending done (the caller's timeout is 5 s).
constexpr qint64 kAnswerMs = 2000;
// How far the resident memory may stay above where it was before the calls (not judged under
// AddressSanitizer).
constexpr double kMemorySlackMiB = 4;
// An error repeats no more of what the caller sent than a name of ordinary length.
constexpr qsizetype kLongestErrorMessage = 100;

double WindowThreadMs() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

struct Answer {
    QDBusMessage reply;
    double windowThreadMs = 0;  // what this (the window) thread spent until the answer came
    qint64 wallMs = 0;
};

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

    // The call as another program makes it, over a connection of its own. The clocks start
    // once the message is made and handed to the bus.
    Answer Call(const QString& method, const QVariantList& args) {
        QDBusConnection caller =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("caller"));
        QDBusMessage call =
            QDBusMessage::createMethodCall(QDBusConnection::sessionBus().baseService(), kPath,
                                           QStringLiteral("com.canonical.dbusmenu"), method);
        call.setArguments(args);
        QDBusPendingCall pending = caller.asyncCall(call, 5000);
        const double cpu = WindowThreadMs();
        QElapsedTimer wall;
        wall.start();
        EXPECT_TRUE(QTest::qWaitFor([&pending] { return pending.isFinished(); }, 6000));
        QApplication::processEvents();  // the clicks the call queued
        return {pending.reply(), WindowThreadMs() - cpu, wall.elapsed()};
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

QVariant Clicks(int count, int id, const QVariant& data = 0) {
    return QVariant::fromValue(QList<DBusMenuEvent>(
        count, DBusMenuEvent{id, QStringLiteral("clicked"), QDBusVariant(data), 0}));
}

TEST_F(MenuOverTheBus, EveryCallIsAnsweredAndBounded) {
    const QString invalid = QDBusError::errorString(QDBusError::InvalidArgs);
    const qsizetype limit = DBusMenu::kMaxGroupSize;
    const struct {
        const char* name;
        QString method;
        QVariantList args;
        QString error;  // the error's name; none for a reply
        int clicks;
    } cases[] = {
        {"PropertyOfAnEntry", "GetProperty", {1, QStringLiteral("label")}, {}, 0},
        {"PropertyOfNoEntry", "GetProperty", {99, QStringLiteral("label")}, invalid, 0},
        {"NoSuchProperty", "GetProperty", {1, QStringLiteral("colour")}, invalid, 0},
        {"EndlessPropertyName", "GetProperty", {1, QString(kHostile, u'x')}, invalid, 0},
        {"LayoutOfNoEntry", "GetLayout", {42, -1, Names(1)}, invalid, 0},
        {"LayoutWithEndlessNames", "GetLayout", {0, -1, Names(kHostile)}, invalid, 0},
        {"GroupOfEndlessIds", "GetGroupProperties", {Ids(kHostile, 1), Names(0)}, invalid, 0},
        {"GroupAtTheLimit", "GetGroupProperties", {Ids(limit, 1), Names(0)}, {}, 0},
        {"GroupPastTheLimit", "GetGroupProperties", {Ids(limit + 1, 1), Names(0)}, invalid, 0},
        {"ShowingEndlessIds", "AboutToShowGroup", {Ids(kHostile, 1)}, invalid, 0},
        {"EndlessClicks", "EventGroup", {Clicks(kHostile, 1)}, invalid, 0},
        {"ClicksAtTheLimit", "EventGroup", {Clicks(limit, 1)}, {}, 1},
        {"ClicksPastTheLimit", "EventGroup", {Clicks(limit + 1, 1)}, invalid, 0},
        {"RepeatedClicksActOnce", "EventGroup", {Clicks(200, 1)}, {}, 1},
        {"ClickWithEndlessData", "EventGroup", {Clicks(1, 1, Names(kHostile))}, {}, 1},
        {"ClickWithEndlessDataAlone",
         "Event",
         {1, QStringLiteral("clicked"), QVariant::fromValue(QDBusVariant(Names(kHostile))), 0u},
         {},
         1},
        {"ClickOfNoEntry",
         "Event",
         {99, QStringLiteral("clicked"), QVariant::fromValue(QDBusVariant(0)), 0u},
         invalid,
         0},
    };
    const double memory = ResidentMiB();
    for (const auto& c : cases) {
        clicks_ = 0;
        const Answer answer = Call(c.method, c.args);
        EXPECT_EQ(answer.reply.errorName(), c.error)
            << c.name << ": " << answer.reply.errorMessage().toStdString();
        EXPECT_EQ(answer.reply.type(),
                  c.error.isEmpty() ? QDBusMessage::ReplyMessage : QDBusMessage::ErrorMessage)
            << c.name;
        EXPECT_LT(answer.reply.errorMessage().size(), kLongestErrorMessage) << c.name;
        EXPECT_EQ(clicks_, c.clicks) << c.name;
        EXPECT_LT(answer.windowThreadMs, kWindowThreadMs) << c.name;
        EXPECT_LT(answer.wallMs, kAnswerMs) << c.name;
        // Memory freed after the answer is given back within a moment.
        EXPECT_TRUE(
            kSanitized ||
            QTest::qWaitFor([memory] { return ResidentMiB() - memory < kMemorySlackMiB; }, 1000))
            << c.name << ": " << ResidentMiB() - memory << " MiB more than before";
    }
    const QDBusMessage group =
        Call("GetGroupProperties", {QVariant::fromValue(QList<int>{1, 1, 3, 1, 99}), Names(0)})
            .reply;
    ASSERT_EQ(group.type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(qdbus_cast<QList<tray::DBusMenuItem>>(group.arguments().at(0)).size(), 2)
        << "each entry once, no entry for an unknown id";
}

}  // namespace
}  // namespace quadrello::test
