#include "platform/Topmost.h"

#include <QWidget>
#include <QWindow>

namespace quadrello::platform {

void SetTopmost(QWidget* window, bool topmost) {
    Qt::WindowFlags flags = window->windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, topmost);
    if (window->windowHandle() == nullptr) {
        // Not created yet: the flag is simply taken along when the window is.
        window->setWindowFlags(flags);
        return;
    }
    // setWindowFlags() would destroy and re-create a live window (it would lose its place and
    // the focus); handing the flags to the existing native window changes them in place.
    window->overrideWindowFlags(flags);
    window->windowHandle()->setFlags(flags);
}

bool IsTopmost(const QWidget* window) {
    return window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

}  // namespace quadrello::platform
