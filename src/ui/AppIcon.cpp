#include "ui/AppIcon.h"

namespace quadrello {

QIcon AppIcon() {
    QIcon icon;
    for (const int size : kIconSizes) {
        icon.addFile(QStringLiteral(":/icon/quadrello-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace quadrello
