#pragma once

#include <QString>

namespace quadrello::platform {

// The program's texts break lines with CR LF, as the Windows controls take them; Qt's labels and
// tooltips break lines at LF alone.
inline QString WithLfBreaks(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace quadrello::platform
