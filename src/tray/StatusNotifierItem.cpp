#include "tray/StatusNotifierItem.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QtEndian>

#include "tray/DBusMenu.h"
#include "tray/DBusStructure.h"
#include "tray/TrayIcon.h"

namespace quadrello::tray {

namespace {

constexpr char kWatcherService[] = "org.kde.StatusNotifierWatcher";
constexpr char kWatcherPath[] = "/StatusNotifierWatcher";
constexpr char kWatcherInterface[] = "org.kde.StatusNotifierWatcher";
constexpr char kItemPath[] = "/StatusNotifierItem";
constexpr char kMenuPath[] = "/MenuBar";
// A watcher answers at once; a hung one must not keep the icon away for long.
constexpr int kWatcherTimeoutMs = 500;
// The tip's lines joined into one title, for hosts that show the title alone.
constexpr char16_t kTitleJoint[] = u" — ";
// Panels that show a tip's title alone, by the name of their program.
constexpr char kTitleOnlyHosts[] = "lxqt-panel";

// The name of the program that owns `service` on the bus; empty when it cannot be told.
QString OwnerProgram(QDBusConnection& bus, const QString& service) {
    const QDBusReply<uint> pid = bus.interface()->servicePid(service);
    if (!pid.isValid()) {
        return {};
    }
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid.value()));
    return comm.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(comm.readAll()).trimmed()
                                          : QString();
}

// Sizes hosts pick from, as panels range from 16 to 64 pixels.
constexpr int kPixmapSizes[] = {16, 22, 24, 32, 48, 64};

}  // namespace

SniPixmaps ToSniPixmaps(const QIcon& icon) {
    SniPixmaps pixmaps;
    for (int size : kPixmapSizes) {
        const QImage image =
            icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
        if (image.isNull()) {
            continue;
        }
        SniPixmap pixmap{image.width(), image.height(), {}};
        pixmap.argb.resize(qsizetype(image.width()) * image.height() * 4);
        auto* out = reinterpret_cast<quint32*>(pixmap.argb.data());
        for (int y = 0; y < image.height(); ++y) {
            const auto* row = reinterpret_cast<const quint32*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                *out++ = qToBigEndian(row[x]);
            }
        }
        pixmaps.append(pixmap);
    }
    return pixmaps;
}

// --- hosts ------------------------------------------------------------------------------------

StatusNotifierHosts& StatusNotifierHosts::Instance() {
    static StatusNotifierHosts* hosts = new StatusNotifierHosts;  // lives as long as the process
    return *hosts;
}

StatusNotifierHosts::StatusNotifierHosts() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        known_ = true;  // no bus, no host
        return;
    }
    auto* watcher = new QDBusServiceWatcher(QString::fromLatin1(kWatcherService), bus,
                                            QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            &StatusNotifierHosts::WatcherChanged);
    bus.connect(QString(), QString::fromLatin1(kWatcherPath),
                QString::fromLatin1(kWatcherInterface),
                QStringLiteral("StatusNotifierHostRegistered"), this, SLOT(HostRegistered()));
    bus.connect(QString(), QString::fromLatin1(kWatcherPath),
                QString::fromLatin1(kWatcherInterface),
                QStringLiteral("StatusNotifierHostUnregistered"), this, SLOT(Query()));
    Query();
}

void StatusNotifierHosts::WatcherChanged() {
    ++watcher_;
    Query();
}

void StatusNotifierHosts::Query() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        known_ = true;
        Set(false);
        return;
    }
    // Without a watcher the bus answers at once that nobody owns the name.
    QDBusMessage get = QDBusMessage::createMethodCall(
        QString::fromLatin1(kWatcherService), QString::fromLatin1(kWatcherPath),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get.setAutoStartService(false);
    get << QString::fromLatin1(kWatcherInterface)
        << QStringLiteral("IsStatusNotifierHostRegistered");
    const quint64 query = ++query_;
    auto* pending = new QDBusPendingCallWatcher(bus.asyncCall(get, kWatcherTimeoutMs), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this, pending, query, bus] {
        pending->deleteLater();
        if (query != query_) {
            return;  // a later question is on its way
        }
        const QDBusPendingReply<QDBusVariant> reply = *pending;
        known_ = true;
        // The bus itself answers who owns the watcher's name, at once.
        QDBusConnection connection = bus;
        titleOnly_ = OwnerProgram(connection, QString::fromLatin1(kWatcherService)) ==
                     QLatin1String(kTitleOnlyHosts);
        Set(reply.isValid() && reply.value().variant().toBool());
    });
}

void StatusNotifierHosts::HostRegistered() {
    ++query_;  // an answer still on its way is older than this news
    known_ = true;
    Set(true);
}

void StatusNotifierHosts::Set(bool present) {
    // A watcher that restarted needs the item again even when a host was there before.
    present_ = present;
    emit changed();
}

// --- the item object -----------------------------------------------------------------------

StatusNotifierObject::StatusNotifierObject(TrayIcon* icon) : icon_(icon) {
    RegisterTypes();
    connect(&StatusNotifierHosts::Instance(), &StatusNotifierHosts::changed, this,
            &StatusNotifierObject::ApplyTip);
}

void StatusNotifierObject::RegisterTypes() {
    static const bool registered = [] {
        qDBusRegisterMetaType<SniPixmap>();
        qDBusRegisterMetaType<SniPixmaps>();
        qDBusRegisterMetaType<SniToolTip>();
        return true;
    }();
    (void)registered;
}

// The executable's name, as hosts have always known the icon by: they keep the user's choices
// for it (shown, hidden) under this id.
QString StatusNotifierObject::Id() const {
    return QFileInfo(QCoreApplication::applicationFilePath()).baseName();
}

QDBusObjectPath StatusNotifierObject::Menu() const {
    return QDBusObjectPath(QString::fromLatin1(kMenuPath));
}

void StatusNotifierObject::SetIcon(const QIcon& icon) {
    tip_.pixmaps = ToSniPixmaps(icon);
    emit NewIcon();
}

void StatusNotifierObject::SetTip(const QString& tip) {
    tipText_ = tip;
    ApplyTip();
}

// The tip's first line is its title, the rest its description; for a host that shows the
// title alone, the title holds every line.
void StatusNotifierObject::ApplyTip() {
    QStringList lines = tipText_.split(u'\n');
    tip_.title = StatusNotifierHosts::Instance().TitleOnly()
                     ? lines.join(QString::fromUtf16(kTitleJoint))
                     : lines.constFirst();
    lines.removeFirst();
    tip_.description = lines.join(u'\n');
    emit NewTitle();
    emit NewToolTip();
}

void StatusNotifierObject::Activate(int, int) {
    emit icon_->leftReleased();
}

void StatusNotifierObject::SecondaryActivate(int, int) {
    emit icon_->middleReleased();
}

// Hosts that show the exported menu themselves do not call this; the others ask the program.
void StatusNotifierObject::ContextMenu(int, int) {
    emit icon_->rightReleased();
}

void StatusNotifierObject::Scroll(int, const QString&) {}

// --- the item ------------------------------------------------------------------------------

StatusNotifierItem::StatusNotifierItem(TrayIcon* icon)
    : QObject(icon), object_(new StatusNotifierObject(icon)) {
    object_->setParent(this);
    connect(&StatusNotifierHosts::Instance(), &StatusNotifierHosts::changed, this, [this] {
        const StatusNotifierHosts& hosts = StatusNotifierHosts::Instance();
        if (Registered() && hosts.Present() && hosts.Watcher() != announcedTo_) {
            Announce();
        }
    });
}

StatusNotifierItem::~StatusNotifierItem() {
    Unregister();
}

bool StatusNotifierItem::Register(const QIcon& icon, QMenu* menu) {
    object_->SetIcon(icon);
    if (Registered()) {
        return true;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return false;
    }
    static int serial = 0;
    service_ = QStringLiteral("org.kde.StatusNotifierItem-%1-%2")
                   .arg(QCoreApplication::applicationPid())
                   .arg(++serial);
    delete menu_;
    menu_ = new DBusMenu(menu, this);
    const auto exported = QDBusConnection::ExportAllContents;
    if (!bus.registerObject(QString::fromLatin1(kItemPath), object_, exported) ||
        !bus.registerObject(QString::fromLatin1(kMenuPath), menu_, exported) ||
        !bus.registerService(service_)) {
        Unregister();
        return false;
    }
    Announce();
    return true;
}

void StatusNotifierItem::Unregister() {
    if (!Registered()) {
        return;
    }
    // Hosts drop an item whose bus name goes away.
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterService(service_);
    bus.unregisterObject(QString::fromLatin1(kItemPath));
    bus.unregisterObject(QString::fromLatin1(kMenuPath));
    service_.clear();
}

void StatusNotifierItem::SetTip(const QString& tip) {
    object_->SetTip(tip);
}

void StatusNotifierItem::Announce() {
    announcedTo_ = StatusNotifierHosts::Instance().Watcher();
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(kWatcherService), QString::fromLatin1(kWatcherPath),
        QString::fromLatin1(kWatcherInterface), QStringLiteral("RegisterStatusNotifierItem"));
    call << service_;
    QDBusConnection::sessionBus().asyncCall(call, kWatcherTimeoutMs);
}

QDBusArgument& operator<<(QDBusArgument& arg, const SniPixmap& pixmap) {
    return PutStructure(arg, pixmap.width, pixmap.height, pixmap.argb);
}

const QDBusArgument& operator>>(const QDBusArgument& arg, SniPixmap& pixmap) {
    return GetStructure(arg, pixmap.width, pixmap.height, pixmap.argb);
}

QDBusArgument& operator<<(QDBusArgument& arg, const SniToolTip& tip) {
    return PutStructure(arg, tip.iconName, tip.pixmaps, tip.title, tip.description);
}

const QDBusArgument& operator>>(const QDBusArgument& arg, SniToolTip& tip) {
    return GetStructure(arg, tip.iconName, tip.pixmaps, tip.title, tip.description);
}

}  // namespace quadrello::tray
