#pragma once

// The main window's layout in twips, from the top-left corner of its client area.

#include <cstdint>

#include "graph/Twips.h"

namespace quadrello::layout {

using Rect = graph::TwipsRect;

struct Line {
    int x1;
    int y1;
    int x2;
    int y2;
};

// The client area as laid out; the load action narrows it to collapse the options panel.
inline constexpr int kClientWidth = 6060;
inline constexpr int kClientHeight = 6825;

// Outer widths relative to the divider's X1: collapsed and open options panel.
inline constexpr int kCollapsedExtra = 50;     // 4665 + 50 = 4715
inline constexpr int kOpenExtra = 1300;        // 4665 + 1300 = 5965
inline constexpr int kPictureWidening = 1350;  // picGraphic while the panel is open

// Fonts in pixels: 宋体 9 pt is the window's default; the coefficient boxes use 宋体 15 pt and
// the compute button 新宋体 10.5 pt.
inline constexpr int kCoefficientFontPixels = 20;
inline constexpr int kComputeFontPixels = 14;

// The frame lines' colour, written 0xRRGGBB like every window colour: RGB(84, 165, 213).
inline constexpr std::uint32_t kLineColour = 0x54A5D5;

// Main area.
inline constexpr Rect kLabel1{135, 270, 1080, 180};
inline constexpr Rect kCoefficientA{1245, 150, 3225, 420};
inline constexpr Rect kLabel2{135, 840, 1080, 180};
inline constexpr Rect kCoefficientB{1245, 720, 3225, 420};
inline constexpr Rect kLabel3{135, 1425, 1080, 180};
inline constexpr Rect kCoefficientC{1245, 1305, 3225, 420};
inline constexpr Rect kLabel4{315, 1920, 720, 180};
inline constexpr Rect kResult1{225, 2175, 2520, 195};
inline constexpr Rect kResult2{225, 2400, 2520, 195};
inline constexpr Rect kDelta{225, 2745, 2520, 195};
inline constexpr Rect kLabel6{225, 2970, 900, 180};
inline constexpr Rect kLabel7{1155, 2970, 180, 180};
inline constexpr Rect kVertexX{1350, 2970, 510, 225};
inline constexpr Rect kLabel8{1995, 2970, 180, 180};
inline constexpr Rect kVertexY{2190, 2970, 510, 225};
inline constexpr Rect kPointer{2970, 3165, 90, 180};
inline constexpr Rect kCompute{3090, 2445, 855, 345};
inline constexpr Rect kOption{4080, 2265, 330, 825};
inline constexpr Rect kPicture{120, 3450, 4335, 3075};

// Options panel.
inline constexpr Rect kCalculator{4770, 150, 1005, 315};
inline constexpr Rect kTopmost{4770, 615, 1035, 240};
inline constexpr Rect kTray{4770, 915, 1035, 285};
inline constexpr Rect kDrawGraphic{4770, 1230, 1050, 225};
inline constexpr Rect kMark{4740, 1620, 1020, 210};
inline constexpr Rect kRedrawGraphic{4755, 1980, 1050, 225};
inline constexpr Rect kContact{4815, 2475, 900, 315};
inline constexpr Rect kAbout{4845, 2985, 855, 345};

// Lines.
inline constexpr Line kDivider{4665, -15, 4665, 3375};
inline constexpr Line kLine1{4710, 2325, 5865, 2325};
inline constexpr Line kLine2{135, 3270, 135, 1995};
inline constexpr Line kLine3{1125, 1995, 2820, 1995};
inline constexpr Line kLine4{135, 3270, 2835, 3270};
inline constexpr Line kLine5{135, 1995, 285, 1995};
inline constexpr Line kLine6{2820, 3270, 2820, 1980};
inline constexpr Line kLine7{195, 2640, 2715, 2640};

}  // namespace quadrello::layout
