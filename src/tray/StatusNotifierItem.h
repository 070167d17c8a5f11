#pragma once

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QIcon>
#include <QList>
#include <QObject>
#include <QPointer>

class QMenu;

namespace quadrello::tray {

class DBusMenu;
class TrayIcon;

// One picture of an icon, 32-bit ARGB in network byte order: (iiay).
struct SniPixmap {
    int width = 0;
    int height = 0;
    QByteArray argb;
};
using SniPixmaps = QList<SniPixmap>;

// An icon's tip: (sa(iiay)ss).
struct SniToolTip {
    QString iconName;
    SniPixmaps pixmaps;
    QString title;
    QString description;
};

SniPixmaps ToSniPixmaps(const QIcon& icon);

// Follows whether a StatusNotifier host runs on the session bus, as watchers and hosts come and
// go. One for the process. The watcher is asked without waiting for it (any program may own its
// name, and one that never answers must not hold the window up): until its first answer, or
// its silence for half a second, whether a host runs is not Known().
class StatusNotifierHosts : public QObject {
    Q_OBJECT

  public:
    static StatusNotifierHosts& Instance();
    bool Present() const { return present_; }
    // Whether the host shows a tip's title alone and never its description: LXQt's panel, known
    // by the program that runs the watcher (the panel runs its own).
    bool TitleOnly() const { return titleOnly_; }
    bool Known() const { return known_; }
    // Which watcher runs: counts the changes of its name's owner. An item is announced once to
    // each; hosts coming and going at the same watcher need no announcement.
    quint64 Watcher() const { return watcher_; }

  signals:
    void changed();

  private slots:
    void WatcherChanged();
    void Query();
    void HostRegistered();

  private:
    StatusNotifierHosts();
    void Set(bool present);

    bool present_ = false;
    bool titleOnly_ = false;
    bool known_ = false;
    quint64 query_ = 0;  // the latest question asked: answers to earlier ones are stale
    quint64 watcher_ = 0;
};

// The org.kde.StatusNotifierItem object of one icon: what hosts read and call. Clicks are
// passed on to the icon as button releases (whose receivers queue their work, so that the host
// has its answer first).
class StatusNotifierObject : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ Category)
    Q_PROPERTY(QString Id READ Id)
    Q_PROPERTY(QString Title READ Title)
    Q_PROPERTY(QString Status READ Status)
    Q_PROPERTY(int WindowId READ WindowId)
    Q_PROPERTY(QString IconThemePath READ NoName)
    Q_PROPERTY(QString IconName READ NoName)
    Q_PROPERTY(quadrello::tray::SniPixmaps IconPixmap READ IconPixmap)
    Q_PROPERTY(QString OverlayIconName READ NoName)
    Q_PROPERTY(quadrello::tray::SniPixmaps OverlayIconPixmap READ NoPixmaps)
    Q_PROPERTY(QString AttentionIconName READ NoName)
    Q_PROPERTY(quadrello::tray::SniPixmaps AttentionIconPixmap READ NoPixmaps)
    Q_PROPERTY(QString AttentionMovieName READ NoName)
    Q_PROPERTY(quadrello::tray::SniToolTip ToolTip READ ToolTip)
    Q_PROPERTY(bool ItemIsMenu READ ItemIsMenu)
    Q_PROPERTY(QDBusObjectPath Menu READ Menu)

  public:
    explicit StatusNotifierObject(TrayIcon* icon);

    static void RegisterTypes();

    void SetIcon(const QIcon& icon);
    void SetTip(const QString& tip);

    QString Category() const { return QStringLiteral("ApplicationStatus"); }
    QString Id() const;
    QString Title() const { return tip_.title; }
    QString Status() const { return QStringLiteral("Active"); }
    int WindowId() const { return 0; }
    QString NoName() const { return {}; }
    SniPixmaps IconPixmap() const { return tip_.pixmaps; }
    SniPixmaps NoPixmaps() const { return {}; }
    SniToolTip ToolTip() const { return tip_; }
    bool ItemIsMenu() const { return false; }
    QDBusObjectPath Menu() const;

    // The D-Bus methods (every public slot is exported).
  public slots:
    void Activate(int x, int y);
    void SecondaryActivate(int x, int y);
    void ContextMenu(int x, int y);
    void Scroll(int delta, const QString& orientation);

  signals:
    void NewTitle();
    void NewIcon();
    void NewToolTip();
    void NewStatus(const QString& status);

  private:
    void ApplyTip();

    QPointer<TrayIcon> icon_;
    QString tipText_;
    SniToolTip tip_;
};

// An icon shown by a StatusNotifier host: the item and its menu exported under a bus name of
// their own, and announced to the watcher (again whenever a watcher starts).
class StatusNotifierItem : public QObject {
    Q_OBJECT

  public:
    explicit StatusNotifierItem(TrayIcon* icon);
    ~StatusNotifierItem() override;

    // Exports the item and announces it; false when there is no session bus.
    bool Register(const QIcon& icon, QMenu* menu);
    void Unregister();
    // The tip's first line (up to LF) is the title, the rest the description.
    void SetTip(const QString& tip);
    bool Registered() const { return !service_.isEmpty(); }
    QString Service() const { return service_; }

  private:
    void Announce();

    StatusNotifierObject* object_;
    DBusMenu* menu_ = nullptr;
    QString service_;
    quint64 announcedTo_ = 0;  // the watcher last announced to (StatusNotifierHosts::Watcher)
};

QDBusArgument& operator<<(QDBusArgument& arg, const SniPixmap& pixmap);
const QDBusArgument& operator>>(const QDBusArgument& arg, SniPixmap& pixmap);
QDBusArgument& operator<<(QDBusArgument& arg, const SniToolTip& tip);
const QDBusArgument& operator>>(const QDBusArgument& arg, SniToolTip& tip);

}  // namespace quadrello::tray

Q_DECLARE_METATYPE(quadrello::tray::SniPixmap)
Q_DECLARE_METATYPE(quadrello::tray::SniToolTip)
