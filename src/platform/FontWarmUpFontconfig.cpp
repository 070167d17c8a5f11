#include <fontconfig/fontconfig.h>

#include "platform/FontWarmUp.h"

namespace quadrello::platform {

// FcInit makes the configuration current for the whole process; Qt's own FcInit then returns
// at once. A failure here leaves the font database to report it as it would have.
FontWarmUp::FontWarmUp() : thread_([] { FcInit(); }) {}

FontWarmUp::~FontWarmUp() {
    Wait();
}

void FontWarmUp::Wait() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

}  // namespace quadrello::platform
