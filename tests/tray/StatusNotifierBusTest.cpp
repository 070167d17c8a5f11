// The tray icon against a fake StatusNotifier watcher on a session bus of its own: the item is
// announced once to each watcher, never twice, as watchers restart and hosts come and go; the
// icon stays with Qt's XEmbed icon while no host runs; a watcher that never answers holds nothing
// up. Runs under its own dbus-run-session; the silent watcher's case needs the process's first
// question about hosts, so CTest runs it in a process of its own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusVirtualObject>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QMenu>
#include <QPixmap>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>
#include <memory>
#include <optional>

#include "../common/NamedCase.h"
#include "tray/NativeTrayIcon.h"
#include "tray/StatusNotifierItem.h"
#include "tray/TrayIcon.h"

namespace quadrello::test {
namespace {

using tray::StatusNotifierHosts;

const QString kWatcherName = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");
constexpr int kPatienceMs = 10000;

QDBusConnection App() {
    return QDBusConnection::sessionBus();
}

// A panel's watcher on a connection of its own: it records every announcement and who sent it.
class FakeWatcher : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered MEMBER host)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems MEMBER items)
    Q_PROPERTY(int ProtocolVersion MEMBER version)

  public:
    explicit FakeWatcher(bool hostPresent) : host(hostPresent) {}
    ~FakeWatcher() override { Stop(true); }

    // Takes the watcher's name; after a hang-up on a new connection.
    bool Start() {
        if (!bus_) {
            static int serial = 0;
            name_ = QStringLiteral("watcher-%1").arg(++serial);
            bus_ = QDBusConnection::connectToBus(QDBusConnection::SessionBus, name_);
            bus_->registerObject(kWatcherPath, this, QDBusConnection::ExportAllContents);
        }
        return bus_->registerService(kWatcherName);
    }
    // Releases the name, or hangs up and blocks (without running the event loop) until the bus
    // has seen the connection go.
    void Stop(bool hangUp) {
        if (!hangUp) {
            bus_->unregisterService(kWatcherName);
            return;
        }
        bus_.reset();  // the connection closes with its last handle
        QDBusConnection::disconnectFromBus(name_);
        const QDeadlineTimer deadline(kPatienceMs);
        while (App().interface()->isServiceRegistered(kWatcherName) && !deadline.hasExpired()) {
        }
    }
    QDBusConnection Bus() const { return *bus_; }

    bool host;
    QStringList items;  // every announcement, in order
    QStringList senders;
    int version = 0;

  public slots:
    void RegisterStatusNotifierItem(const QString& service) {
        items.append(service);
        senders.append(message().service());
    }

  signals:
    void StatusNotifierHostRegistered();
    void StatusNotifierHostUnregistered();

  private:
    QString name_;
    std::optional<QDBusConnection> bus_;
};

QVariant Property(QDBusConnection bus, const QString& service, const QString& path,
                  const QString& interface, const QString& name) {
    QDBusMessage get = QDBusMessage::createMethodCall(
        service, path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << interface << name;
    QDBusPendingCall pending = bus.asyncCall(get, kPatienceMs);
    EXPECT_TRUE(QTest::qWaitFor([&pending] { return pending.isFinished(); }, kPatienceMs));
    QCoreApplication::processEvents();  // whatever arrived before the answer
    const QDBusMessage reply = pending.reply();
    EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << name.toStdString();
    return reply.arguments().value(0).value<QDBusVariant>().variant();
}

// Returns once every chain of messages set off so far has finished. Each round trip from this
// process to the watcher lets one more link of a chain through (a watcher's signal or the
// bus's news of its name, the question it raises, the answer, the announcement it sets off).
void Settle() {
    for (int trip = 0; trip < 4; ++trip) {
        Property(App(), kWatcherName, kWatcherPath, kWatcherName,
                 QStringLiteral("ProtocolVersion"));
    }
}

QIcon Picture() {
    QPixmap picture(32, 32);
    picture.fill(Qt::darkGreen);
    return QIcon(picture);
}

bool XEmbedShown(const tray::TrayIcon* icon) {
    const auto* xembed = icon->findChild<QSystemTrayIcon*>();
    return xembed != nullptr && xembed->isVisible();
}

class NotifierOverTheBus : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(App().isConnected()) << "run under dbus-run-session";
        icon_ = tray::CreateNativeTrayIcon(&owner_);
        icon_->SetTip(QStringLiteral("第一行\r\n第二行"));
        icon_->Show(Picture(), &menu_);
        ASSERT_TRUE(QTest::qWaitFor([this] { return hosts_.Known(); }, kPatienceMs));
    }
    // Leaves no watcher and nothing on its way, for the next test.
    void TearDown() override {
        QSignalSpy changed(&hosts_, &StatusNotifierHosts::changed);
        watcher_.reset();
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return changed.count() > 0 && !hosts_.Present(); }, kPatienceMs));
    }

    FakeWatcher& StartWatcher(bool host) {
        watcher_ = std::make_unique<FakeWatcher>(host);
        EXPECT_TRUE(watcher_->Start());
        return *watcher_;
    }
    // The icon is with the host: announced from this process, under a name it owns.
    void ExpectItemWith(const FakeWatcher& watcher) {
        ASSERT_FALSE(watcher.items.isEmpty());
        EXPECT_EQ(watcher.senders.constLast(), App().baseService());
        EXPECT_EQ(App().interface()->serviceOwner(watcher.items.constLast()).value(),
                  App().baseService());
        EXPECT_TRUE(hosts_.Known() && hosts_.Present() && tray::NativeTrayHostAvailable());
        EXPECT_FALSE(XEmbedShown(icon_));
    }

    StatusNotifierHosts& hosts_ = StatusNotifierHosts::Instance();
    QMenu menu_;
    QObject owner_;  // the icon's: goes before the menu
    tray::TrayIcon* icon_ = nullptr;
    std::unique_ptr<FakeWatcher> watcher_;
};

struct Restart : NamedCase {
    bool hangUp;  // the watcher's connection goes, else it releases the name
    int times;    // how often in a row
    bool seen;    // this process notices each absence, else all happen before it looks
};

class WatcherRestarts : public NotifierOverTheBus, public ::testing::WithParamInterface<Restart> {};

TEST_P(WatcherRestarts, AnnounceOnceToEachWatcher) {
    const Restart& row = GetParam();
    EXPECT_TRUE(XEmbedShown(icon_)) << "no watcher yet";
    FakeWatcher& watcher = StartWatcher(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !watcher.items.isEmpty(); }, kPatienceMs));
    Settle();
    EXPECT_EQ(watcher.items.size(), 1);
    ExpectItemWith(watcher);

    for (int i = 0; i < row.times; ++i) {
        watcher.Stop(row.hangUp);
        if (row.seen) {
            ASSERT_TRUE(QTest::qWaitFor([this] { return !hosts_.Present(); }, kPatienceMs));
            EXPECT_TRUE(XEmbedShown(icon_));
        }
        ASSERT_TRUE(watcher.Start());
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return watcher.items.size() == 2; }, kPatienceMs));
    Settle();
    EXPECT_EQ(watcher.items.size(), 2);
    ExpectItemWith(watcher);
}

INSTANTIATE_TEST_SUITE_P(, WatcherRestarts,
                         ::testing::Values(Restart{{"NameReleased"}, false, 1, true},
                                           Restart{{"HungUp"}, true, 1, true},
                                           Restart{{"NameReleasedTwiceQuickly"}, false, 2, false},
                                           Restart{{"HungUpTwiceQuickly"}, true, 2, false}),
                         CaseName);

TEST_F(NotifierOverTheBus, HostsComeAndGoAtOneWatcher) {
    QSignalSpy changed(&hosts_, &StatusNotifierHosts::changed);
    FakeWatcher& watcher = StartWatcher(false);
    ASSERT_TRUE(changed.wait(kPatienceMs));
    Settle();
    EXPECT_TRUE(hosts_.Known());
    EXPECT_FALSE(hosts_.Present() || tray::NativeTrayHostAvailable());
    EXPECT_TRUE(XEmbedShown(icon_));
    EXPECT_TRUE(watcher.items.isEmpty()) << "the XEmbed icon has the icon";

    watcher.host = true;
    emit watcher.StatusNotifierHostRegistered();
    ASSERT_TRUE(changed.wait(kPatienceMs));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !watcher.items.isEmpty(); }, kPatienceMs));
    ExpectItemWith(watcher);

    // A second host comes, one of two goes: the watcher has the item already.
    emit watcher.StatusNotifierHostRegistered();
    emit watcher.StatusNotifierHostUnregistered();
    Settle();
    EXPECT_EQ(watcher.items.size(), 1);
    EXPECT_TRUE(hosts_.Present());

    const QString item = watcher.items.constFirst();
    watcher.host = false;
    emit watcher.StatusNotifierHostUnregistered();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !hosts_.Present(); }, kPatienceMs));
    EXPECT_FALSE(App().interface()->isServiceRegistered(item)) << "hosts drop the item";
    EXPECT_TRUE(XEmbedShown(icon_));
}

TEST_F(NotifierOverTheBus, ItemAnswersAsHostsAskIt) {
    FakeWatcher& watcher = StartWatcher(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !watcher.items.isEmpty(); }, kPatienceMs));
    const QString item = watcher.items.constFirst();
    const QString itemPath = QStringLiteral("/StatusNotifierItem");
    const QString itemInterface = QStringLiteral("org.kde.StatusNotifierItem");
    const struct {
        QString path, interface, name;
        QVariant expected;
    } cases[] = {
        // The executable's name, not the application's ("Quadrello"): hosts keep the user's
        // choices for the icon under it.
        {itemPath, itemInterface, "Id", QStringLiteral("tray_notifier_tests")},
        {itemPath, itemInterface, "Title", QStringLiteral("第一行")},
        {itemPath, itemInterface, "Menu", QVariant::fromValue(QDBusObjectPath("/MenuBar"))},
        {"/MenuBar", "com.canonical.dbusmenu", "Version", 3u},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Property(watcher.Bus(), item, c.path, c.interface, c.name), c.expected)
            << c.name.toStdString();
    }
    const auto tip = qdbus_cast<tray::SniToolTip>(
        Property(watcher.Bus(), item, itemPath, itemInterface, QStringLiteral("ToolTip")));
    EXPECT_EQ(tip.title, QStringLiteral("第一行"));
    EXPECT_EQ(tip.description, QStringLiteral("第二行"));
    ASSERT_FALSE(tip.pixmaps.isEmpty());
    EXPECT_EQ(tip.pixmaps[0].argb.size(), tip.pixmaps[0].width * tip.pixmaps[0].height * 4);
}

// Takes every call and never answers.
class SilentObject : public QDBusVirtualObject {
  public:
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage&, const QDBusConnection&) override { return true; }
};

TEST(SilentWatcher, HoldsNothingUp) {
    SilentObject silent;
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "silent");
    ASSERT_TRUE(bus.registerVirtualObject(kWatcherPath, &silent));
    ASSERT_TRUE(bus.registerService(kWatcherName));
    QElapsedTimer clock;
    clock.start();
    QMenu menu;
    QObject owner;
    tray::TrayIcon* icon = tray::CreateNativeTrayIcon(&owner);  // the first question
    icon->Show(Picture(), &menu);
    const StatusNotifierHosts& hosts = StatusNotifierHosts::Instance();
    EXPECT_FALSE(hosts.Known()) << "the answer was waited for";
    EXPECT_FALSE(tray::NativeTrayHostAvailable());

    ASSERT_TRUE(QTest::qWaitFor([&hosts] { return hosts.Known(); }, kPatienceMs));
    EXPECT_GE(clock.elapsed(), 400) << "given up on before its time";
    EXPECT_FALSE(hosts.Present() || tray::NativeTrayHostAvailable());
    EXPECT_TRUE(XEmbedShown(icon));
}

}  // namespace
}  // namespace quadrello::test

#include "StatusNotifierBusTest.moc"
