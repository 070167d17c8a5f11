// The exported tray menu under the calls a hostile program on the session bus can make. Time is
// from sending each call to its answer as the caller sees it (the caller's own marshalling of its
// long list included); CPU is what the window thread spent answering it. The caller is a thread
// with a connection of its own, as another program would be, so that the window thread does
// nothing else meanwhile. Counter rss_growth_MiB: how far the process's resident memory stays
// above where it started once the calls are answered and the events that follow them have run.
// Runs on a session bus of its own (it starts itself again under dbus-run-session when there is
// none).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QEventLoop>
#include <QFile>
#include <QMenu>
#include <QThread>
#include <QTimer>

#include "platform/DBusMenu.h"

namespace {

using quadrello::platform::DBusMenu;
using quadrello::platform::DBusMenuEvent;

constexpr char kPath[] = "/MenuBar";
constexpr char kCallerName[] = "hostile";
// Time given after the calls to what they leave queued (freeing, clicks) before memory is read.
constexpr int kSettleMs = 200;

double ResidentMiB() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(::sysconf(_SC_PAGESIZE)) / 1048576.0
                             : 0;
}

void RunEventsFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The other program: calls made from a thread of its own, while the window thread answers.
class Caller {
  public:
    Caller() {
        QDBusConnection::connectToBus(QDBusConnection::SessionBus,
                                      QString::fromLatin1(kCallerName));
        context_.moveToThread(&thread_);
        thread_.start();
    }
    ~Caller() {
        thread_.quit();
        thread_.wait();
    }

    QDBusMessage Call(const QDBusMessage& call) {
        QEventLoop answered;
        QDBusMessage reply;
        QMetaObject::invokeMethod(
            &context_,
            [&] {
                reply = QDBusConnection(QString::fromLatin1(kCallerName))
                            .call(call, QDBus::Block, 30000);
                QMetaObject::invokeMethod(&answered, &QEventLoop::quit, Qt::QueuedConnection);
            },
            Qt::QueuedConnection);
        answered.exec();
        return reply;
    }

  private:
    QThread thread_;
    QObject context_;
};

void Answer(benchmark::State& state, const QString& method, const QVariantList& args) {
    static Caller caller;
    QDBusMessage call =
        QDBusMessage::createMethodCall(QDBusConnection::sessionBus().baseService(), kPath,
                                       QStringLiteral("com.canonical.dbusmenu"), method);
    call.setArguments(args);
    const double before = ResidentMiB();
    for (auto _ : state) {
        const QDBusMessage reply = caller.Call(call);
        QCoreApplication::processEvents();  // the clicks it queued, if any
        if (reply.type() != QDBusMessage::ErrorMessage &&
            reply.type() != QDBusMessage::ReplyMessage) {
            state.SkipWithError("no answer");
        }
    }
    RunEventsFor(kSettleMs);
    state.counters["rss_growth_MiB"] = ResidentMiB() - before;
}

const QVariant kEndlessIds = QVariant::fromValue(QList<int>(100000, 1));
const QVariant kEndlessNames = QVariant::fromValue(QStringList(200000, QStringLiteral("label")));
const QVariant kNoNames = QVariant::fromValue(QStringList());

void BM_GetPropertyOfNoEntry(benchmark::State& state) {
    Answer(state, QStringLiteral("GetProperty"), {99, QStringLiteral("label")});
}
void BM_GetGroupProperties100kIds(benchmark::State& state) {
    Answer(state, QStringLiteral("GetGroupProperties"), {kEndlessIds, kNoNames});
}
void BM_GetLayout200kNames(benchmark::State& state) {
    Answer(state, QStringLiteral("GetLayout"), {0, -1, kEndlessNames});
}
void BM_EventGroup100kClicks(benchmark::State& state) {
    DBusMenu::RegisterTypes();
    Answer(state, QStringLiteral("EventGroup"),
           {QVariant::fromValue(QList<DBusMenuEvent>(
               100000, DBusMenuEvent{1, QStringLiteral("clicked"), QDBusVariant(0), 0}))});
}

BENCHMARK(BM_GetPropertyOfNoEntry)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_GetGroupProperties100kIds)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_GetLayout200kNames)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_EventGroup100kClicks)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    const QByteArray bus = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    if (bus.isEmpty() || bus.startsWith("disabled:")) {
        std::vector<char*> again = {const_cast<char*>("dbus-run-session"), const_cast<char*>("--")};
        again.insert(again.end(), argv, argv + argc);
        again.push_back(nullptr);
        qputenv("DBUS_SESSION_BUS_ADDRESS", "");
        ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
        ::execvp(again[0], again.data());
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QMenu menu;
    QObject::connect(menu.addAction(QStringLiteral("联系作者")), &QAction::triggered, [] {});
    menu.addSeparator();
    menu.addAction(QStringLiteral("退出"));
    DBusMenu exported(&menu);
    if (!QDBusConnection::sessionBus().registerObject(kPath, &exported,
                                                      QDBusConnection::ExportAllContents)) {
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
