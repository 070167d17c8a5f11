#pragma once

#include <cstdint>

namespace quadrello {

// A colour as a Windows COLORREF: 0x00BBGGRR.
using ColourRef = std::uint32_t;

// A drawing area that keeps a user coordinate system and draws in it. The plotter draws through
// this interface only: the picture box implements it on screen, an image implements it for the
// command-line companion, and tests implement it with a recorder.
class PlotSurface {
  public:
    virtual ~PlotSurface() = default;

    // Maps the user rectangle with top-left corner (x1, y1) and bottom-right corner (x2, y2)
    // onto the whole drawing area. y2 < y1 makes y grow upward.
    virtual void SetUserCoordinates(double x1, double y1, double x2, double y2) = 0;
    // Width in pixels of the lines and points drawn from now on.
    virtual void SetLineWidth(int width) = 0;
    virtual void DrawLine(float x1, float y1, float x2, float y2, ColourRef colour) = 0;
    virtual void SetPoint(float x, float y, ColourRef colour) = 0;
};

}  // namespace quadrello
