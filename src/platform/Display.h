#pragma once

namespace quadrello::platform {

// Whether the environment names a display for the windows: a Qt platform chosen explicitly,
// an X display or a Wayland display. Without one the window system cannot start, and the
// program says so instead of failing inside it.
bool DisplayConfigured();

}  // namespace quadrello::platform
