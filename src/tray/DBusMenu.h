#pragma once

#include <QDBusArgument>
#include <QDBusContext>
#include <QDBusVariant>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QVariantMap>

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

// A QMenu offered to hosts that draw an application's menu themselves, over the
// com.canonical.dbusmenu interface that StatusNotifier hosts read. Entry ids are the actions'
// positions in the menu, from 1; 0 is the menu itself. A click on an entry triggers its
// action once the D-Bus call has been answered, and not at all while a modal window is open
// (the application's other windows take no input then).
//
// Any program on the session bus may call it, so every call is answered at once and with
// bounded work: an unknown id or property gets an error reply; lists longer than any host sends
// (kMaxGroupSize ids or events, kMaxPropertyNames names) get an error reply without being
// looked at; a group answers each entry once and clicks each entry at most once.
class DBusMenu : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ Version)
    Q_PROPERTY(QString TextDirection READ TextDirection)
    Q_PROPERTY(QString Status READ Status)
    Q_PROPERTY(QStringList IconThemePath READ IconThemePath)

  public:
    // A host asks for the entries of one menu, each once: this menu has nine ids.
    static constexpr qsizetype kMaxGroupSize = 1024;
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
    QList<quadrello::tray::DBusMenuItem> GetGroupProperties(const QList<int>& ids,
                                                            const QStringList& propertyNames);
    QDBusVariant GetProperty(int id, const QString& name);
    void Event(int id, const QString& eventId, const QDBusVariant& data, uint timestamp);
    QList<int> EventGroup(const QList<quadrello::tray::DBusMenuEvent>& events);
    bool AboutToShow(int id);
    QList<int> AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors);

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

    QPointer<QMenu> menu_;
    uint revision_ = 1;
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

}  // namespace quadrello::tray

Q_DECLARE_METATYPE(quadrello::tray::DBusMenuItem)
Q_DECLARE_METATYPE(quadrello::tray::DBusMenuLayoutItem)
Q_DECLARE_METATYPE(quadrello::tray::DBusMenuEvent)
Q_DECLARE_METATYPE(quadrello::tray::DBusMenuItemKeys)
