#pragma once

#include <QIcon>
#include <array>

namespace quadrello {

// The sizes of the application icon's pictures, compiled in as ":/icon/quadrello-<size>.png".
inline constexpr std::array<int, 5> kIconSizes = {16, 32, 48, 64, 128};

// The application icon: the main window's and the tray's, with all five pictures read.
QIcon AppIcon();

}  // namespace quadrello
