// quadrello: the main window of the quadratic-equation calculator.
#include <QApplication>
#include <cstdio>

#include "platform/Display.h"
#include "platform/Fonts.h"
#include "ui/frmMain.h"

namespace {

// Exit status when there is no display to open the window on.
constexpr int kExitNoDisplay = 3;

}  // namespace

int main(int argc, char** argv) {
    if (!quadrello::platform::DisplayConfigured()) {
        std::fputs("quadrello: no display to open the window on (DISPLAY is not set).\n", stderr);
        return kExitNoDisplay;
    }
    quadrello::platform::InstallFontSubstitutions();
    QApplication app(argc, argv);
    QApplication::setFont(quadrello::platform::DefaultFont());

    quadrello::frmMain window;
    QObject::connect(&window, &quadrello::frmMain::unloaded, &app, &QCoreApplication::quit);
    window.show();
    return app.exec();
}
