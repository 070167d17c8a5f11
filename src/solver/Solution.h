#pragma once

namespace quadrello {

// What the solver hands to the plotter, in this order: the larger and the smaller real root
// (both 0 without real roots, equal for a double root), the vertex, and the coefficients.
struct Solution {
    double r1 = 0;
    double r2 = 0;
    double h = 0;
    double k = 0;
    double a = 0;
    double b = 0;
    double c = 0;
};

}  // namespace quadrello
