#pragma once

#include <string>

namespace quadrello::platform {

// How the window system is to be opened, decided before the application object exists: Qt
// aborts the process when it finds no platform it can start, so the program checks first.
struct DisplayChoice {
    // Empty when a platform can start; else one line for the user saying why none can.
    std::string problem;
    // The platform chosen here and handed to Qt through QT_QPA_PLATFORM; empty when the user's
    // own QT_QPA_PLATFORM stands (or on systems with one platform).
    std::string chosen;
};

// Chooses the platform and hands it to Qt through the environment; call right before the
// application object is made. The user's QT_QPA_PLATFORM always wins: it is usable when one of its
// candidates is an installed plugin whose display, if it needs one, is reachable. Otherwise an X
// display that answers is used through xcb, also inside a Wayland session (XWayland): there the
// windows keep always-on-top, window opacity, shaped windows and minimising, which Wayland clients
// cannot have. A Wayland display alone is used natively when Qt's Wayland plugin is installed.
DisplayChoice ChooseDisplay();

// Takes the platform chosen here back out of the environment once the application has started,
// so that programs started from the windows choose their own.
void ForgetDisplayChoice(const DisplayChoice& choice);

}  // namespace quadrello::platform
