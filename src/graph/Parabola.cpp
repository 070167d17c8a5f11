#include "graph/Parabola.h"

#include <cmath>
#include <limits>

namespace quadrello {
namespace {

// The surface takes positions in single precision.
bool FitsSingle(double v) {
    return std::fabs(v) <= std::numeric_limits<float>::max();
}

bool SurfaceCanHold(const PlotWindow& w, double step) {
    if (!FitsSingle(w.left) || !FitsSingle(w.right) || !FitsSingle(w.bottom) ||
        !FitsSingle(w.top)) {
        return false;  // also rejects NaN
    }
    // A window narrower than the spacing of single-precision numbers would put every position
    // on one spot; a step of 0 would never move on.
    return static_cast<float>(w.left) < static_cast<float>(w.right) &&
           static_cast<float>(w.bottom) < static_cast<float>(w.top) && step > 0;
}

}  // namespace

PlotReport DrawParabola(double r1, double r2, double h, double k, double a, double b, double c,
                        PlotSurface& surface) {
    PlotReport report;
    report.window = ComputePlotWindow(r1, r2, h, k, a, c);
    const PlotWindow& w = report.window;
    const double step = (w.right - w.left) / kCurveIntervals;
    if (!SurfaceCanHold(w, step)) {
        return report;
    }
    report.drawn = true;

    surface.SetUserCoordinates(w.left, w.top, w.right, w.bottom);
    surface.SetLineWidth(1);
    surface.DrawLine(static_cast<float>(w.left), 0.0f, static_cast<float>(w.right), 0.0f,
                     kAxisColour);
    surface.DrawLine(0.0f, static_cast<float>(w.top), 0.0f, static_cast<float>(w.bottom),
                     kAxisColour);

    double x = w.left;
    for (int n = 0; n < kMaxCurveSamples && x <= w.right; ++n) {
        const double y = (x * x) * a + x * b + c;
        if (FitsSingle(y)) {
            surface.SetPoint(static_cast<float>(x), static_cast<float>(y), kCurveColour);
            ++report.samples;
        }
        const double next = x + step;
        if (!(next > x)) {
            break;  // the step is below the spacing of doubles at x: x would stand still
        }
        x = next;
    }
    return report;
}

}  // namespace quadrello
