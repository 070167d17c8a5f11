#pragma once

namespace quadrello {

// The rectangle of the plane a plot shows, and the rows of the two tables that chose it
// (0 when no row applies, which only happens for input that is not finite or has a = 0).
struct PlotWindow {
    double left = 0;
    double right = 0;
    double bottom = 0;
    double top = 0;
    int xRow = 0;
    int yRow = 0;
};

// bottom and top from the vertex ordinate k, the intercept c and the sign of a; left and right
// from the vertex abscissa h, k and the roots r1 >= r2 (both 0 without real roots). Every
// comparison is exact, so -0 counts as 0; every bound is evaluated exactly as its formula reads.
PlotWindow ComputePlotWindow(double r1, double r2, double h, double k, double a, double c);

}  // namespace quadrello
