#include "platform/WindowProcedure.h"

#include <QVariant>
#include <QWidget>

namespace quadrello::platform {

namespace {

// The procedure lives with the window itself, so it goes when the window goes.
constexpr char kProcProperty[] = "quadrello.windowProc";

}  // namespace

int32_t DefaultWindowProc(QWidget*, uint32_t, uintptr_t, intptr_t) {
    return 0;
}

WindowProc GetWindowProc(QWidget* window) {
    const QVariant stored = window->property(kProcProperty);
    if (!stored.isValid()) {
        return &DefaultWindowProc;
    }
    return reinterpret_cast<WindowProc>(stored.value<quintptr>());
}

WindowProc SetWindowProc(QWidget* window, WindowProc proc) {
    const WindowProc previous = GetWindowProc(window);
    if (proc == nullptr) {
        proc = &DefaultWindowProc;
    }
    window->setProperty(kProcProperty, QVariant::fromValue(reinterpret_cast<quintptr>(proc)));
    return previous;
}

int32_t CallWindowProc(WindowProc proc, QWidget* hWnd, uint32_t message, uintptr_t wParam,
                       intptr_t lParam) {
    if (proc == nullptr) {
        proc = &DefaultWindowProc;
    }
    return proc(hWnd, message, wParam, lParam);
}

int32_t SendWindowMessage(QWidget* window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return CallWindowProc(GetWindowProc(window), window, message, wParam, lParam);
}

}  // namespace quadrello::platform
