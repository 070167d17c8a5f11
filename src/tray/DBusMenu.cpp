#include "tray/DBusMenu.h"

#include <QAction>
#include <QApplication>
#include <QDBusError>
#include <QDBusMetaType>
#include <QMenu>
#include <QSet>

#include "platform/core/HeapPolicy.h"
#include "tray/DBusStructure.h"
#include "tray/TrayOwner.h"

namespace quadrello::tray {

namespace {

constexpr int kRootId = 0;
// How long after an oversized call its memory is given back: by then the bus's thread has let go
// of the message too, and a burst of such calls is over or paid for once.
constexpr int kReleaseMemoryDelayMs = 100;
// The longest string a host sends as a property name or as an event's data (the protocol's names
// are far shorter); an error reply repeats a caller's name only this far.
constexpr qsizetype kLongestHostString = 64;

QVariantMap Filtered(const QVariantMap& all, const QStringList& names) {
    if (names.isEmpty()) {
        return all;
    }
    QVariantMap kept;
    for (const QString& name : names) {
        if (all.contains(name)) {
            kept.insert(name, all.value(name));
        }
    }
    return kept;
}

// Whether an event's data is of the kind hosts send, a number or a short string: anything else
// was read whole for nothing, as no event's data is used.
bool HostSized(const QVariant& data) {
    switch (data.metaType().id()) {
        case QMetaType::Bool:
        case QMetaType::UChar:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Double:
            return true;
        case QMetaType::QString:
            return data.toString().size() <= kLongestHostString;
        default:
            return false;
    }
}

// Reads a caller's list into `items` up to kDBusMenuMaxGroupSize, `read` taking one item; true
// when there was more, which is left unread.
template <typename T, typename Read>
bool ReadGroup(const QDBusArgument& arg, QList<T>& items, Read read) {
    items.clear();
    bool tooMany = false;
    arg.beginArray();
    while (!arg.atEnd()) {
        if (items.size() == kDBusMenuMaxGroupSize) {
            tooMany = true;
            break;
        }
        items.append(read());
    }
    arg.endArray();  // the array is over for `arg` whether or not it was read to its end
    return tooMany;
}

}  // namespace

QString DBusMenuLabel(const QString& text) {
    QString label;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'_') {
            label += QStringLiteral("__");
        } else if (c == u'&' && i + 1 < text.size() && text[i + 1] == u'&') {
            label += u'&';
            ++i;
        } else if (c == u'&') {
            label += u'_';
        } else {
            label += c;
        }
    }
    return label;
}

DBusMenu::DBusMenu(QMenu* menu, QObject* parent) : QObject(parent), menu_(menu) {
    RegisterTypes();
    // The bus thread reads each message whole before the call arrives.
    platform::KeepLargeBlocksMapped();
    releaseMemory_.setSingleShot(true);
    releaseMemory_.setInterval(kReleaseMemoryDelayMs);
    connect(&releaseMemory_, &QTimer::timeout, this, &platform::ReleaseFreeMemory);
}

void DBusMenu::RegisterTypes() {
    static const bool registered = [] {
        qDBusRegisterMetaType<DBusMenuItem>();
        qDBusRegisterMetaType<QList<DBusMenuItem>>();
        qDBusRegisterMetaType<DBusMenuLayoutItem>();
        qDBusRegisterMetaType<DBusMenuEvent>();
        qDBusRegisterMetaType<QList<DBusMenuEvent>>();
        qDBusRegisterMetaType<DBusMenuItemKeys>();
        qDBusRegisterMetaType<QList<DBusMenuItemKeys>>();
        qDBusRegisterMetaType<DBusMenuIdGroup>();
        qDBusRegisterMetaType<DBusMenuEventGroup>();
        return true;
    }();
    (void)registered;
}

QString DBusMenu::TextDirection() const {
    return QApplication::layoutDirection() == Qt::RightToLeft ? QStringLiteral("rtl")
                                                              : QStringLiteral("ltr");
}

QAction* DBusMenu::Action(int id) const {
    if (menu_.isNull() || id <= kRootId || id > menu_->actions().size()) {
        return nullptr;
    }
    return menu_->actions().at(id - 1);
}

bool DBusMenu::Known(int id) const {
    return id == kRootId || Action(id) != nullptr;
}

QVariantMap DBusMenu::Properties(int id, const QStringList& names) const {
    QVariantMap all;
    if (id == kRootId) {
        all.insert(QStringLiteral("children-display"), QStringLiteral("submenu"));
    } else if (const QAction* action = Action(id)) {
        if (action->isSeparator()) {
            all.insert(QStringLiteral("type"), QStringLiteral("separator"));
        } else {
            all.insert(QStringLiteral("label"), DBusMenuLabel(action->text()));
            all.insert(QStringLiteral("enabled"), action->isEnabled());
        }
        all.insert(QStringLiteral("visible"), action->isVisible());
    }
    return Filtered(all, names);
}

bool DBusMenu::Refuse(bool refused, const QString& why) {
    if (refused && calledFromDBus()) {
        sendErrorReply(QDBusError::InvalidArgs, why);
    }
    return refused;
}

bool DBusMenu::RefuseOversized(bool refused, const QString& why) {
    if (Refuse(refused, why)) {
        ReleaseMemorySoon();
    }
    return refused;
}

void DBusMenu::ReleaseMemorySoon() {
    if (!releaseMemory_.isActive()) {
        releaseMemory_.start();
    }
}

uint DBusMenu::GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                         DBusMenuLayoutItem& layout) {
    if (RefuseOversized(propertyNames.size() > kMaxPropertyNames,
                        QStringLiteral("too many properties")) ||
        Refuse(!Known(parentId), QStringLiteral("unknown id %1").arg(parentId))) {
        return revision_;
    }
    layout = {parentId, Properties(parentId, propertyNames), {}};
    // Only the menu itself has children; a depth of 0 asks for none, -1 for all.
    if (parentId == kRootId && recursionDepth != 0 && !menu_.isNull()) {
        for (int id = 1; id <= menu_->actions().size(); ++id) {
            layout.children.append({id, Properties(id, propertyNames), {}});
        }
    }
    return revision_;
}

QList<DBusMenuItem> DBusMenu::GetGroupProperties(const DBusMenuIdGroup& ids,
                                                 const QStringList& propertyNames) {
    QList<DBusMenuItem> items;
    if (RefuseOversized(ids.tooMany, QStringLiteral("too many ids")) ||
        RefuseOversized(propertyNames.size() > kMaxPropertyNames,
                        QStringLiteral("too many properties"))) {
        return items;
    }
    QSet<int> answered;
    for (int id : ids.ids) {
        if (Known(id) && !answered.contains(id)) {
            answered.insert(id);
            items.append({id, Properties(id, propertyNames)});
        }
    }
    return items;
}

QDBusVariant DBusMenu::GetProperty(int id, const QString& name) {
    const QVariant value = Properties(id, {name}).value(name);
    // A null variant cannot be sent: without the error reply the caller would wait in vain.
    if (Refuse(!Known(id), QStringLiteral("unknown id %1").arg(id)) ||
        Refuse(!value.isValid(),
               QStringLiteral("unknown property %1").arg(name.left(kLongestHostString)))) {
        return QDBusVariant(QString());
    }
    return QDBusVariant(value);
}

void DBusMenu::Event(int id, const QString& eventId, const QDBusVariant& data, uint) {
    if (!HostSized(data.variant())) {
        ReleaseMemorySoon();  // the data was read in whole before the call came here
    }
    if (!Refuse(!Known(id), QStringLiteral("unknown id %1").arg(id))) {
        Clicked(id, eventId);
    }
}

QList<int> DBusMenu::EventGroup(const DBusMenuEventGroup& events) {
    QList<int> errors;
    if (RefuseOversized(events.tooMany, QStringLiteral("too many events"))) {
        return errors;
    }
    QSet<int> clicked;  // a host's group reports one user action per entry
    for (const DBusMenuEvent& event : events.events) {
        if (!Known(event.id)) {
            errors.append(event.id);
        } else if (!clicked.contains(event.id) && Clicked(event.id, event.eventId)) {
            clicked.insert(event.id);
        }
    }
    return errors;
}

bool DBusMenu::AboutToShow(int id) {
    Refuse(!Known(id), QStringLiteral("unknown id %1").arg(id));
    return false;  // the entries never change while the menu is open
}

QList<int> DBusMenu::AboutToShowGroup(const DBusMenuIdGroup& ids, QList<int>& idErrors) {
    if (RefuseOversized(ids.tooMany, QStringLiteral("too many ids"))) {
        return {};
    }
    for (int id : ids.ids) {
        if (!Known(id)) {
            idErrors.append(id);
        }
    }
    return {};
}

bool DBusMenu::Clicked(int id, const QString& eventId) {
    QAction* action = Action(id);
    if (action == nullptr || eventId != QLatin1String("clicked") || action->isSeparator() ||
        !action->isEnabled()) {
        return false;
    }
    // The command may open a modal window or end the program: the host has its answer first.
    // A call posted to the action is dropped if the action goes first.
    QMetaObject::invokeMethod(
        action,
        [action] {
            if (!ModalWindowOpen()) {
                action->trigger();
            }
        },
        Qt::QueuedConnection);
    return true;
}

QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuItem& item) {
    return PutStructure(arg, item.id, item.properties);
}

const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuItem& item) {
    return GetStructure(arg, item.id, item.properties);
}

QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuLayoutItem& item) {
    arg.beginStructure();
    arg << item.id << item.properties;
    arg.beginArray(qMetaTypeId<QDBusVariant>());
    for (const DBusMenuLayoutItem& child : item.children) {
        arg << QDBusVariant(QVariant::fromValue(child));
    }
    arg.endArray();
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuLayoutItem& item) {
    arg.beginStructure();
    arg >> item.id >> item.properties;
    item.children.clear();
    arg.beginArray();
    while (!arg.atEnd()) {
        QDBusVariant variant;
        arg >> variant;
        DBusMenuLayoutItem child;
        variant.variant().value<QDBusArgument>() >> child;
        item.children.append(child);
    }
    arg.endArray();
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuEvent& event) {
    return PutStructure(arg, event.id, event.eventId, event.data, event.timestamp);
}

const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuEvent& event) {
    return GetStructure(arg, event.id, event.eventId, event.data, event.timestamp);
}

QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuItemKeys& keys) {
    return PutStructure(arg, keys.id, keys.properties);
}

const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuItemKeys& keys) {
    return GetStructure(arg, keys.id, keys.properties);
}

QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuIdGroup& group) {
    return arg << group.ids;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuIdGroup& group) {
    group.tooMany = ReadGroup(arg, group.ids, [&arg] {
        int id = 0;
        arg >> id;
        return id;
    });
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuEventGroup& group) {
    return arg << group.events;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuEventGroup& group) {
    group.tooMany = ReadGroup(arg, group.events, [&arg] {
        DBusMenuEvent event;
        // Leaving the structure after its first two fields skips the others unread.
        GetStructure(arg, event.id, event.eventId);
        return event;
    });
    return arg;
}

}  // namespace quadrello::tray
