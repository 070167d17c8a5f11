#pragma once

#include <QDBusArgument>

namespace quadrello::tray {

// A D-Bus structure of `fields`, in their order: what the types exchanged with the desktop's
// panels are made of.
template <typename... Fields>
QDBusArgument& PutStructure(QDBusArgument& arg, const Fields&... fields) {
    arg.beginStructure();
    (arg << ... << fields);
    arg.endStructure();
    return arg;
}

template <typename... Fields>
const QDBusArgument& GetStructure(const QDBusArgument& arg, Fields&... fields) {
    arg.beginStructure();
    (arg >> ... >> fields);
    arg.endStructure();
    return arg;
}

}  // namespace quadrello::tray
