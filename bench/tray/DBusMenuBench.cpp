// The exported tray menu under the calls a hostile program on the session bus can make. Time is
// from handing each call to the bus to its answer, as the caller sees it; counter marshal_ms is
// the caller's own work before that, turning its long list into a message. CPU is what the
// window thread spent answering. The caller is a thread with a connection of its own, as another
// program would be, so that the window thread does nothing else meanwhile. Counter
// rss_growth_MiB: how far the process's resident memory stays above where it started once the
// calls are answered and the events that follow them have run. Runs on a session bus of its own
// (it starts itself again under dbus-run-session when there is none).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMenu>
#include <QThread>
#include <QTimer>

#include "common/ResidentMemory.h"
#include "tray/DBusMenu.h"

namespace {

using quadrello::test::ResidentMiB;
using quadrello::tray::DBusMenu;
using quadrello::tray::DBusMenuEvent;

constexpr char kPath[] = "/MenuBar";
// Where nothing is exported: the bus and this process's bus thread still carry and check the
// whole message, and the answer is Qt's own error. What the menu's answer cannot go below.
constexpr char kNobodysPath[] = "/Nobody";
constexpr char kCallerName[] = "hostile";
// Time given after the calls to what they leave queued (freeing, clicks) before memory is read.
constexpr int kSettleMs = 200;

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

    struct Answer {
        QDBusMessage reply;
        double marshalSeconds = 0;
        double answerSeconds = 0;  // from the message's hand-over to the bus
    };

    // Runs the window thread's events until the call is answered.
    Answer Call(const QDBusMessage& call) {
        QEventLoop answered;
        Answer answer;
        QMetaObject::invokeMethod(
            &context_,
            [&] {
                QElapsedTimer clock;
                clock.start();
                // The message is made here; the bus's thread sends it.
                QDBusPendingCall pending =
                    QDBusConnection(QString::fromLatin1(kCallerName)).asyncCall(call, 30000);
                const qint64 handedOver = clock.nsecsElapsed();
                pending.waitForFinished();
                answer = {pending.reply(), double(handedOver) / 1e9,
                          double(clock.nsecsElapsed() - handedOver) / 1e9};
                QMetaObject::invokeMethod(&answered, &QEventLoop::quit, Qt::QueuedConnection);
            },
            Qt::QueuedConnection);
        answered.exec();
        return answer;
    }

  private:
    QThread thread_;
    QObject context_;
};

void Answered(benchmark::State& state, const QString& method, const QVariantList& args,
              const char* path = kPath) {
    static Caller caller;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QDBusConnection::sessionBus().baseService(), QString::fromLatin1(path),
        QStringLiteral("com.canonical.dbusmenu"), method);
    call.setArguments(args);
    const double before = ResidentMiB();
    double marshalSeconds = 0;
    for (auto _ : state) {
        const Caller::Answer answer = caller.Call(call);
        QCoreApplication::processEvents();  // the clicks it queued, if any
        if (answer.reply.type() != QDBusMessage::ErrorMessage &&
            answer.reply.type() != QDBusMessage::ReplyMessage) {
            state.SkipWithError("no answer");
        }
        state.SetIterationTime(answer.answerSeconds);
        marshalSeconds += answer.marshalSeconds;
    }
    RunEventsFor(kSettleMs);
    state.counters["rss_growth_MiB"] = ResidentMiB() - before;
    state.counters["marshal_ms"] = 1000 * marshalSeconds / double(state.iterations());
}

const QVariant kEndlessIds = QVariant::fromValue(QList<int>(100000, 1));
const QVariant kEndlessNames = QVariant::fromValue(QStringList(200000, QStringLiteral("label")));
const QVariant kNoNames = QVariant::fromValue(QStringList());

void BM_GetPropertyOfNoEntry(benchmark::State& state) {
    Answered(state, QStringLiteral("GetProperty"), {99, QStringLiteral("label")});
}
void BM_GetGroupProperties100kIds(benchmark::State& state) {
    Answered(state, QStringLiteral("GetGroupProperties"), {kEndlessIds, kNoNames});
}
void BM_GetLayout200kNames(benchmark::State& state) {
    Answered(state, QStringLiteral("GetLayout"), {0, -1, kEndlessNames});
}
QVariantList EndlessClicks() {
    DBusMenu::RegisterTypes();
    return {QVariant::fromValue(QList<DBusMenuEvent>(
        100000, DBusMenuEvent{1, QStringLiteral("clicked"), QDBusVariant(0), 0}))};
}
void BM_EventGroup100kClicks(benchmark::State& state) {
    Answered(state, QStringLiteral("EventGroup"), EndlessClicks());
}
void BM_GetLayout200kNamesToNobody(benchmark::State& state) {
    Answered(state, QStringLiteral("GetLayout"), {0, -1, kEndlessNames}, kNobodysPath);
}
void BM_EventGroup100kClicksToNobody(benchmark::State& state) {
    Answered(state, QStringLiteral("EventGroup"), EndlessClicks(), kNobodysPath);
}

BENCHMARK(BM_GetPropertyOfNoEntry)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_GetGroupProperties100kIds)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK(BM_GetLayout200kNames)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_EventGroup100kClicks)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_GetLayout200kNamesToNobody)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK(BM_EventGroup100kClicksToNobody)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

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
