#include "ui/AppIcon.h"

#include <QImageReader>
#include <QPixmap>

namespace quadrello {

QIcon AppIcon() {
    QIcon icon;
    for (const int size : kIconSizes) {
        // Read as PNG by the built-in reader. Left to find the format itself, the reader would
        // load every image-format plugin installed (SVG, JPEG, GIF, ...) to ask each of them.
        QImageReader reader(QStringLiteral(":/icon/quadrello-%1.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return icon;
}

}  // namespace quadrello
