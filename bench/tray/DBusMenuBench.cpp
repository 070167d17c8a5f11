// The exported tray menu under the calls a hostile program on the session bus can make: the
// time from sending each call to its answer, and how far the process's resident memory stays
// above where it started once the calls are answered (counter rss_growth_MiB). Runs on a
// session bus of its own (it starts itself again under dbus-run-session when there is none).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QFile>
#include <QMenu>

#include "tray/DBusMenu.h"

namespace {

using quadrello::tray::DBusMenu;
using quadrello::tray::DBusMenuEvent;

constexpr char kPath[] = "/MenuBar";

double ResidentMiB() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(::sysconf(_SC_PAGESIZE)) / 1048576.0
                             : 0;
}

void Answer(benchmark::State& state, const QString& method, const QVariantList& args) {
    QDBusConnection caller =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("hostile"));
    QDBusMessage call =
        QDBusMessage::createMethodCall(QDBusConnection::sessionBus().baseService(), kPath,
                                       QStringLiteral("com.canonical.dbusmenu"), method);
    call.setArguments(args);
    const double before = ResidentMiB();
    for (auto _ : state) {
        QDBusPendingCall pending = caller.asyncCall(call, 30000);
        while (!pending.isFinished()) {  // the answer comes by another thread: no event here
            QCoreApplication::processEvents();
        }
        QCoreApplication::processEvents();  // the clicks it queued, if any
        if (pending.reply().type() != QDBusMessage::ErrorMessage &&
            pending.reply().type() != QDBusMessage::ReplyMessage) {
            state.SkipWithError("no answer");
        }
    }
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
