#include "graph/PlotWindow.h"

#include <cmath>

namespace quadrello {
namespace {

struct Bounds {
    double low;
    double high;
    int row;
};

Bounds BoundsInY(double k, double c, double a) {
    if (k < c) {
        if (k < 0 && c < 0)
            return {k / 5 + k, -(c / 4), 1};
        if (k > 0 && c > 0)
            return {-(k / 4), c / 5 + c, 2};
        if (k < 0 && c > 0)
            return {k / 5 + k, c / 5 + c, 3};
        if (k < 0 && c == 0)
            return {k / 4 + k, std::fabs(k * 4), 4};
        if (k == 0 && c > 0)
            return {-(c / 4), c * 4, 5};
    } else if (k > c) {
        if (k > 0 && c > 0)
            return {-(k / 4), k / 5 + k, 6};
        if (k > 0 && c < 0)
            return {c / 5 + c, k / 5 + k, 7};
        if (k < 0 && c < 0)
            return {c / 5 + c, -(k / 4), 8};
        if (k > 0 && c == 0)
            return {-(k * 4), k / 4 + k, 9};
        if (k == 0 && c < 0)
            return {c / 5 + c, std::fabs(c / 4), 10};
    } else if (k == c) {
        if (k > 0 && a > 0)
            return {-k, k * 5, 11};
        if (k > 0 && a < 0)
            return {-(k * 5), k / 4 + k, 12};
        if (k == 0 && a > 0)
            return {-1, 5, 13};
        if (k == 0 && a < 0)
            return {-5, 1, 14};
        if (k < 0 && a < 0)
            return {k * 5, -k, 15};
        if (k < 0 && a > 0)
            return {k / 4 + k, -(k * 5), 16};
    }
    return {NAN, NAN, 0};
}

// The first matching row applies.
Bounds BoundsInX(double r1, double r2, double h, double k) {
    if (h == 0)
        return {-5 - std::fabs(k * 5), std::fabs(k * 5) + 5, 1};
    if (k == 0)
        return {h - std::fabs(h * 5), std::fabs(h * 5) + h, 2};
    if (h > 0) {
        if (r1 > 0 && r2 > 0)
            return {-(r1 - r2) / 4, (r1 - r2) + r1, 3};
        if (r1 > 0 && r2 <= 0)
            return {r2 - (r1 - r2), (r1 - r2) + r1, 4};
        if (r1 == 0 && r2 == 0)
            return {-(h + h), h * 3, 5};
    } else if (h < 0) {
        if (r1 >= 0 && r2 < 0)
            return {r2 - (r1 - r2), (r1 - r2) + r1, 6};
        if (r1 < 0 && r2 < 0)
            return {r2 - (r1 - r2), (r1 - r2) / 4, 7};
        if (r1 == 0 && r2 == 0)
            return {h * 3, std::fabs(h + h), 8};
    }
    return {NAN, NAN, 0};
}

}  // namespace

PlotWindow ComputePlotWindow(double r1, double r2, double h, double k, double a, double c) {
    const Bounds y = BoundsInY(k, c, a);
    const Bounds x = BoundsInX(r1, r2, h, k);
    return {x.low, x.high, y.low, y.high, x.row, y.row};
}

}  // namespace quadrello
