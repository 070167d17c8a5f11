// quadrello: the main window of the quadratic-equation calculator.
#include <QApplication>
#include <cstdio>

#include "platform/Display.h"
#include "platform/FontWarmUp.h"
#include "platform/Fonts.h"
#include "platform/core/AppNames.h"
#include "platform/core/HeapPolicy.h"
#include "ui/frmMain.h"

namespace {

// Exit status when no window can open: no display, or no platform plugin for it.
constexpr int kExitNoDisplay = 3;

}  // namespace

int main(int argc, char** argv) {
    // First of all: the user record and the user's settings are named after them.
    quadrello::platform::SetApplicationNames();
    quadrello::platform::KeepLargeBlocksMapped();
    // Runs beside everything up to the first use of the font database.
    quadrello::platform::FontWarmUp fontWarmUp;
    const quadrello::platform::DisplayChoice display = quadrello::platform::ChooseDisplay();
    if (!display.problem.empty()) {
        std::fprintf(stderr, "quadrello: %s.\n", display.problem.c_str());
        return kExitNoDisplay;
    }
    quadrello::platform::InstallFontSubstitutions();
    QApplication app(argc, argv);
    quadrello::platform::ForgetDisplayChoice(display);
    fontWarmUp.Wait();
    quadrello::platform::InstallFallbackFace();
    QApplication::setFont(quadrello::platform::DefaultFont());

    quadrello::frmMain window;
    QObject::connect(&window, &quadrello::frmMain::unloaded, &app, &QCoreApplication::quit);
    window.show();
    return app.exec();
}
