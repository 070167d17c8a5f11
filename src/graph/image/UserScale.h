#pragma once

#include "graph/Twips.h"

namespace quadrello::graph {

// The user coordinate system of a drawing area, in the picture box's model: ScaleLeft and
// ScaleTop name the area's top-left corner, and ScaleWidth user units span the area's width
// (ScaleHeight its height; negative when y grows upward).
//
// Pixels are cells: pixel column i covers the device interval [i, i + 1). A user position maps
// to the cell it falls in (rounding down), and a cell reads back as its top-left corner, so
// the area's left edge reads ScaleLeft and its top edge ScaleTop.
//
// The scale remembers how many pixels it was set over, not the area's present size: when the
// area grows, the user range grows with it at the same units per pixel.
class UserScale {
  public:
    // Twips from the top-left corner, y growing downward.
    static constexpr double kTwipsPerPixel = graph::kTwipsPerPixel;

    UserScale() = default;

    // Maps the rectangle (x1, y1)-(x2, y2) onto an area of areaWidth × areaHeight pixels.
    // A rectangle that is not finite or has no width or height is refused (false) and the
    // scale stays as it was.
    bool Set(double x1, double y1, double x2, double y2, int areaWidth, int areaHeight);

    // A position strictly inside the rectangle always lands in a cell of the area, also where
    // rounding would put it on the far edge (0 next to a bound of 1e-17 on a span of 1.2).
    double ToPixelX(double x) const {
        return InsideCells((x - left_) * pixelsWide_ / width_, pixelsWide_,
                           (x - right_) * width_ < 0);
    }
    double ToPixelY(double y) const {
        return InsideCells((y - top_) * pixelsHigh_ / height_, pixelsHigh_,
                           (y - bottom_) * height_ < 0);
    }
    double ToUserX(double px) const { return left_ + px * width_ / pixelsWide_; }
    double ToUserY(double py) const { return top_ + py * height_ / pixelsHigh_; }

    double ScaleLeft() const { return left_; }
    double ScaleTop() const { return top_; }
    double ScaleWidth(int areaWidth) const { return width_ * areaWidth / pixelsWide_; }
    double ScaleHeight(int areaHeight) const { return height_ * areaHeight / pixelsHigh_; }

  private:
    static double InsideCells(double pixel, double cells, bool beforeFarBound);

    double left_ = 0;
    double top_ = 0;
    double right_ = kTwipsPerPixel;  // the bounds as set, right_ = x2 and bottom_ = y2
    double bottom_ = kTwipsPerPixel;
    double width_ = kTwipsPerPixel;  // user units over pixelsWide_ pixels
    double height_ = kTwipsPerPixel;
    double pixelsWide_ = 1;
    double pixelsHigh_ = 1;
};

}  // namespace quadrello::graph
