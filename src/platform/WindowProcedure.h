#pragma once

#include <cstdint>

class QWidget;

namespace quadrello::platform {

// The replaceable message procedure of a top-level window. Messages that reach a window from
// outside the widget system (the notifications of its tray icon) are handed to it as
// (message, wParam, lParam), so a module can put its own procedure in front of the window's
// and pass what it does not handle to the one it replaced.
using WindowProc = int32_t (*)(QWidget* hWnd, uint32_t message, uintptr_t wParam, intptr_t lParam);

// The procedure every window starts with: handles nothing and returns 0.
int32_t DefaultWindowProc(QWidget* hWnd, uint32_t message, uintptr_t wParam, intptr_t lParam);

// Installs `proc` as the procedure of `window` and returns the one it replaces. A null `proc`
// puts the default procedure back.
WindowProc SetWindowProc(QWidget* window, WindowProc proc);

// The procedure currently installed on `window`.
WindowProc GetWindowProc(QWidget* window);

// Runs `proc` with the four arguments; a null `proc` runs the default procedure.
int32_t CallWindowProc(WindowProc proc, QWidget* hWnd, uint32_t message, uintptr_t wParam,
                       intptr_t lParam);

// Runs the procedure currently installed on `window` and returns its result.
int32_t SendWindowMessage(QWidget* window, uint32_t message, uintptr_t wParam, intptr_t lParam);

}  // namespace quadrello::platform
