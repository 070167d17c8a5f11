#pragma once

namespace quadrello::graph {

// Window coordinates are twips: 1/1440 inch, 15 to a logical pixel at 96 dots per inch.
inline constexpr int kTwipsPerPixel = 15;

// A control's place in its window: left, top, width and height in twips.
struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

// A fixed single border is 45 twips (3 pixels) on each side: a window's outer width is its
// client width plus twice this.
inline constexpr int kBorderTwips = 45;

// Twips to the nearest whole pixel. With 15 twips to the pixel no whole number of twips lies
// half-way between two pixels.
constexpr int TwipsToPixels(int twips) {
    constexpr int half = kTwipsPerPixel / 2;
    return twips >= 0 ? (twips + half) / kTwipsPerPixel : -((-twips + half) / kTwipsPerPixel);
}

// The client width in pixels of a window whose outer width, borders included, is `outerTwips`.
constexpr int ClientPixelsForOuterTwips(int outerTwips) {
    return TwipsToPixels(outerTwips - 2 * kBorderTwips);
}

}  // namespace quadrello::graph
