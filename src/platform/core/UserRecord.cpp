#include "platform/core/UserRecord.h"

#include <QSettings>

namespace quadrello::platform {

void WriteUserRecord(const std::string& path, const std::string& version) {
    QSettings record(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tarvenn"),
                     QStringLiteral("Quadrello"));
    record.setValue(QStringLiteral("Path"), QString::fromStdString(path));
    record.setValue(QStringLiteral("Vision"), QString::fromStdString(version));
}

}  // namespace quadrello::platform
