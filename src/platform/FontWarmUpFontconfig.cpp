#include <fontconfig/fontconfig.h>

#include <system_error>

#include "platform/FontWarmUp.h"

namespace quadrello::platform {

// FcInit makes the configuration current for the whole process; Qt's own FcInit then returns
// at once. A failure here leaves the font database to report it as it would have. Where no
// thread can be started (a process limit reached), Qt loads the configuration itself, later.
FontWarmUp::FontWarmUp() {
    try {
        thread_ = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
        // nothing was started, nothing to wait for
    }
}

FontWarmUp::~FontWarmUp() {
    Wait();
}

void FontWarmUp::Wait() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

}  // namespace quadrello::platform
