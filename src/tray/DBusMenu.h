#pragma once

#include <QDBusArgument>
#include <QDBusContext>
#include <QDBusVariant>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QVariantMap>

#include <initializer_list>

class QAction;
class QMenu;

namespace quadrello::tray {

// One entry of an exported menu and its properties: (ia{sv}).
struct DBusMenuItem {
    int id = 0;
    QVariantMap properties;
};

// An entry with its children, each in a variant: (ia{sv}av).
struct DBusMenuLayoutItem {
    int id = 0;
    QVariantMap properties;
    QList<DBusMenuLayoutItem> children;
};

// A user action on an entry: (isvu).
struct DBusMenuEvent {
    int id = 0;
    QString eventId;
    QDBusVariant data;
    uint timestamp = 0;
};

// Properties taken away from an entry: (ias).
struct DBusMenuItemKeys {
    int id = 0;
    QStringList properties;
};

// The most ids or events a group call is read for: a host asks for the entries of one menu, each
// once, and this menu has nine ids.
inline constexpr qsizetype kDBusMenuMaxGroupSize = 1024;

// The ids of a group call (ai). Read from the bus up to kDBusMenuMaxGroupSize: a longer list is
// marked tooMany and the rest of it left unread, so that it costs the window thread no more.
struct DBusMenuIdGroup {
    DBusMenuIdGroup() = default;
    DBusMenuIdGroup(std::initializer_list<int> list) : ids(list) {}
    QList<int> ids;
    bool tooMany = false;
};

// The events of a group call (a(isvu)), read from the bus like DBusMenuIdGroup. Only each event's
// id and name are read: their data and time are never used, and a variant can hold any amount.
struct DBusMenuEventGroup {
    DBusMenuEventGroup() = default;
    DBusMenuEventGroup(std::initializer_list<DBusMenuEvent> list) : events(list) {}
    QList<DBusMenuEvent> events;
    bool tooMany = false;
};

// A QMenu offered to hosts that draw an application's menu themselves, over the
// com.canonical.dbusmenu interface that StatusNotifier hosts read. Entry ids are the actions'
// positions in the menu, from 1; 0 is the menu itself. A click on an entry triggers its
// action once the D-Bus call has been answered, and not at all while a modal window is open
// (the application's other windows take no input then).
//
// Any program on the session bus may call it, so every call is answered at once and with
// bounded work: an unknown id or property gets an error reply; lists longer than any host sends
// (kMaxGroupSize ids or events, kMaxPropertyNames names) get an error reply without being
// looked at, ids and events without even being read past the limit; a group answers each entry
// once and clicks each entry at most once. The memory such an oversized call took goes back to
// the system once it is freed: for that the first DBusMenu fixes, for the whole process, the size
// from which glibc gives a block a mapping of its own (see KeepLargeBlocksMapped()).
class DBusMenu : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ Version)
    Q_PROPERTY(QString TextDirection READ TextDirection)
    Q_PROPERTY(QString Status READ Status)
    Q_PROPERTY(QStringList IconThemePath READ IconThemePath)

  public:
    static constexpr qsizetype kMaxGroupSize = kDBusMenuMaxGroupSize;
    // The protocol defines a dozen properties; a host asks for some of them or for all (none).
    static constexpr qsizetype kMaxPropertyNames = 64;

    explicit DBusMenu(QMenu* menu, QObject* parent = nullptr);

    // Registers the D-Bus types; called before anything is exported.
    static void RegisterTypes();

    uint Version() const { return 3; }
    QString TextDirection() const;
    QString Status() const { return QStringLiteral("normal"); }
    QStringList IconThemePath() const { return {}; }

    // The D-Bus methods (every public slot is exported).
  public slots:
    uint GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                   quadrello::tray::DBusMenuLayoutItem& layout);
    QList<quadrello::tray::DBusMenuItem> GetGroupProperties(
        const quadrello::tray::DBusMenuIdGroup& ids, const QStringList& propertyNames);
    QDBusVariant GetProperty(int id, const QString& name);
    void Event(int id, const QString& eventId, const QDBusVariant& data, uint timestamp);
    QList<int> EventGroup(const quadrello::tray::DBusMenuEventGroup& events);
    bool AboutToShow(int id);
    QList<int> AboutToShowGroup(const quadrello::tray::DBusMenuIdGroup& ids, QList<int>& idErrors);

  signals:
    void ItemsPropertiesUpdated(const QList<quadrello::tray::DBusMenuItem>& updated,
                                const QList<quadrello::tray::DBusMenuItemKeys>& removed);
    void LayoutUpdated(uint revision, int parent);
    void ItemActivationRequested(int id, uint timestamp);

  private:
    QAction* Action(int id) const;
    // Whether `id` names the root or an entry.
    bool Known(int id) const;
    QVariantMap Properties(int id, const QStringList& names) const;
    bool Clicked(int id, const QString& eventId);
    // Answers a call from the bus with an error (the return value is then not sent); false when
    // `refused` is false. A direct call (not over the bus) gets no reply.
    bool Refuse(bool refused, const QString& why);
    // Refuse() for a list longer than any host sends, whose memory is then given back.
    bool RefuseOversized(bool refused, const QString& why);
    // Gives the memory of a call that was larger than any host's back once it is freed.
    void ReleaseMemorySoon();

    QPointer<QMenu> menu_;
    uint revision_ = 1;
    // Runs after the event that delivered an oversized call, once the call's message is freed;
    // once for a burst of such calls.
    QTimer releaseMemory_;
};

// The entry's label with the menu's mnemonic marker: "&" becomes "_", a literal "_" is doubled.
QString DBusMenuLabel(const QString& text);

QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuItem& item);
const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuItem& item);
QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuLayoutItem& item);
const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuLayoutItem& item);
QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuEvent& event);
const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuEvent& event);
QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuItemKeys& keys);
const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuItemKeys& keys);
QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuIdGroup& group);
const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuIdGroup& group);
QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuEventGroup& group);
const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuEventGroup& group);

}  // namespace quadrello::tray

Q_DECLARE_METATYPE(quadrello::tray::DBusMenuItem)
Q_DECLARE_METATYPE(quadrello::tray::DBusMenuLayoutItem)
Q_DECLARE_METATYPE(quadrello::tray::DBusMenuEvent)
Q_DECLARE_METATYPE(quadrello::tray::DBusMenuItemKeys)
Q_DECLARE_METATYPE(quadrello::tray::DBusMenuIdGroup)
Q_DECLARE_METATYPE(quadrello::tray::DBusMenuEventGroup)
