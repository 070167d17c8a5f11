// The record in the registry, through Qt's native settings format.
#include "platform/core/UserRecord.h"

#include <QCoreApplication>
#include <QSettings>

namespace quadrello::platform {

void WriteUserRecord(const std::string& path, const std::string& version) {
    QSettings record(QSettings::NativeFormat, QSettings::UserScope,
                     QCoreApplication::organizationName(), QCoreApplication::applicationName());
    const QString pathText = QString::fromStdString(path);
    const QString versionText = QString::fromStdString(version);
    // Rewriting values that are there already would change nothing but cost a synced file
    // replacement at every start.
    if (record.value(QStringLiteral("Path")).toString() != pathText ||
        record.value(QStringLiteral("Vision")).toString() != versionText) {
        record.setValue(QStringLiteral("Path"), pathText);
        record.setValue(QStringLiteral("Vision"), versionText);
    }
}

}  // namespace quadrello::platform
