#include "platform/core/AppNames.h"

#include <QCoreApplication>

#include "Identity.h"

namespace quadrello::platform {

void SetApplicationNames() {
    QCoreApplication::setOrganizationName(QStringLiteral(QUADRELLO_VENDOR));
    QCoreApplication::setApplicationName(QStringLiteral(QUADRELLO_PRODUCT));
}

std::string OrganizationName() {
    return QCoreApplication::organizationName().toStdString();
}

std::string ApplicationName() {
    return QCoreApplication::applicationName().toStdString();
}

}  // namespace quadrello::platform
