// The program installs its font substitutions before the application object exists; the
// tests do the same, at static initialisation, so that layout metrics are the real ones.
#include "platform/Fonts.h"

namespace {

const bool kFontsInstalled = [] {
    quadrello::platform::InstallFontSubstitutions();
    return true;
}();

}  // namespace
