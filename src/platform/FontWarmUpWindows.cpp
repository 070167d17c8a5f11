#include "platform/FontWarmUp.h"

namespace quadrello::platform {

// The system's font list is the font database's own, read by Qt when it first needs it.
FontWarmUp::FontWarmUp() = default;

FontWarmUp::~FontWarmUp() = default;

void FontWarmUp::Wait() {}

}  // namespace quadrello::platform
