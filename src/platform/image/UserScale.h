#pragma once

namespace quadrello::platform {

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
    static constexpr double kTwipsPerPixel = 15;

    UserScale() = default;

    // Maps the rectangle (x1, y1)-(x2, y2) onto an area of areaWidth × areaHeight pixels.
    // A rectangle that is not finite or has no width or height is refused (false) and the
    // scale stays as it was.
    bool Set(double x1, double y1, double x2, double y2, int areaWidth, int areaHeight);

    double ToPixelX(double x) const { return (x - left_) * pixelsWide_ / width_; }
    double ToPixelY(double y) const { return (y - top_) * pixelsHigh_ / height_; }
    double ToUserX(double px) const { return left_ + px * width_ / pixelsWide_; }
    double ToUserY(double py) const { return top_ + py * height_ / pixelsHigh_; }

    double ScaleLeft() const { return left_; }
    double ScaleTop() const { return top_; }
    double ScaleWidth(int areaWidth) const { return width_ * areaWidth / pixelsWide_; }
    double ScaleHeight(int areaHeight) const { return height_ * areaHeight / pixelsHigh_; }

  private:
    double left_ = 0;
    double top_ = 0;
    double width_ = kTwipsPerPixel;  // user units over pixelsWide_ pixels
    double height_ = kTwipsPerPixel;
    double pixelsWide_ = 1;
    double pixelsHigh_ = 1;
};

}  // namespace quadrello::platform
