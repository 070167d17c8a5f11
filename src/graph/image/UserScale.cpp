#include "graph/image/UserScale.h"

#include <algorithm>
#include <cmath>

namespace quadrello::graph {

double UserScale::InsideCells(double pixel, double cells, bool beforeFarBound) {
    if (beforeFarBound && pixel >= cells && pixel < cells + 1) {
        return std::nextafter(cells, 0.0);
    }
    return pixel;
}

bool UserScale::Set(double x1, double y1, double x2, double y2, int areaWidth, int areaHeight) {
    const double width = x2 - x1;
    const double height = y2 - y1;
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(width) ||
        !std::isfinite(height) || width == 0 || height == 0) {
        return false;
    }
    left_ = x1;
    top_ = y1;
    right_ = x2;
    bottom_ = y2;
    width_ = width;
    height_ = height;
    // An area not laid out yet counts as one pixel, so that the mapping stays finite.
    pixelsWide_ = std::max(areaWidth, 1);
    pixelsHigh_ = std::max(areaHeight, 1);
    return true;
}

}  // namespace quadrello::graph
