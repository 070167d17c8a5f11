// The Windows side of Display.h: one window system, always there.
#include "platform/Display.h"

namespace quadrello::platform {

DisplayChoice ChooseDisplay() {
    return {};
}

void ForgetDisplayChoice(const DisplayChoice&) {}

}  // namespace quadrello::platform
