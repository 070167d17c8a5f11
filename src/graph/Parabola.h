#pragma once

#include "graph/PlotSurface.h"
#include "graph/PlotWindow.h"
#include "solver/Solution.h"

namespace quadrello {

inline constexpr ColourRef kAxisColour = 0x00FF0000;   // pure blue
inline constexpr ColourRef kCurveColour = 0x000000FF;  // pure red
inline constexpr int kCurveIntervals = 10000;          // the step is a ten-thousandth of the span
// The accumulated abscissa reaches right after 10,000 or 10,001 samples; never more.
inline constexpr int kMaxCurveSamples = kCurveIntervals + 1;

// What a plot did: the window it computed, whether it drew, and how many curve points it handed
// to the surface.
struct PlotReport {
    PlotWindow window;
    bool drawn = false;
    int samples = 0;
};

// Draws y = a·x² + b·x + c with its two axes onto a surface the caller has just cleared: sets the
// user coordinates to the window, draws the x axis and then the y axis in blue, then the curve
// as single red points from left while x <= right, x accumulated by repeated addition.
// A window the surface cannot hold (a bound, span or step that is not finite in the surface's
// single-precision coordinates, or that collapses to nothing there) draws nothing at all, not
// even the coordinates; curve samples whose y does not fit are skipped.
PlotReport DrawParabola(double r1, double r2, double h, double k, double a, double b, double c,
                        PlotSurface& surface);

inline PlotReport DrawParabola(const Solution& s, PlotSurface& surface) {
    return DrawParabola(s.r1, s.r2, s.h, s.k, s.a, s.b, s.c, surface);
}

}  // namespace quadrello
