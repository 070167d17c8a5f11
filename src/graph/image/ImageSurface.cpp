#include "graph/image/ImageSurface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace quadrello::graph {
namespace {

constexpr QImage::Format kFormat = QImage::Format_RGB32;
// Lines are drawn at most this wide, so that a stamp stays a handful of pixels.
constexpr int kMaxLineWidth = 64;

// The least contrast at which lines and marks stand out from the background (that asked of
// graphics next to text), and the steps in which a colour with less is lightened.
constexpr double kMinInkContrast = 3.0;
constexpr int kInkSteps = 16;

// Relative luminance of an sRGB colour, 0 (black) to 1 (white).
double Luminance(QRgb rgb) {
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(rgb)) + 0.7152 * linear(qGreen(rgb)) + 0.0722 * linear(qBlue(rgb));
}

double Contrast(QRgb a, QRgb b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// `ink` as drawn on `background`. On a light background every colour stays as asked, as on a
// classic desktop; on a dark one (a dark desktop scheme), a colour that does not stand out is
// mixed with white in the fewest steps that make it.
QRgb Legible(QRgb ink, QRgb background) {
    const QRgb white = qRgb(255, 255, 255);
    const QRgb black = qRgb(0, 0, 0);
    if (Contrast(white, background) < Contrast(black, background) ||
        Contrast(ink, background) >= kMinInkContrast) {
        return ink;
    }
    const auto lighter = [](int channel, int step) {
        return channel + (255 - channel) * step / kInkSteps;
    };
    for (int step = 1; step < kInkSteps; ++step) {
        const QRgb mixed =
            qRgb(lighter(qRed(ink), step), lighter(qGreen(ink), step), lighter(qBlue(ink), step));
        if (Contrast(mixed, background) >= kMinInkContrast) {
            return mixed;
        }
    }
    return white;
}

enum Outside { kLeftOf = 1, kRightOf = 2, kAbove = 4, kBelow = 8 };

int OutsideCode(double x, double y, double w, double h) {
    int code = 0;
    if (x < 0) {
        code |= kLeftOf;
    } else if (x > w) {
        code |= kRightOf;
    }
    if (y < 0) {
        code |= kAbove;
    } else if (y > h) {
        code |= kBelow;
    }
    return code;
}

// Cohen–Sutherland: cuts the segment down to the closed box [0, w] × [0, h]; false when nothing
// of it lies inside. An end moved onto an edge takes that edge's coordinate exactly, so a
// horizontal or vertical line keeps its row or column however far away its ends lie.
bool ClipToBox(double& x0, double& y0, double& x1, double& y1, double w, double h) {
    if (!std::isfinite(x1 - x0) || !std::isfinite(y1 - y0)) {
        return false;
    }
    // Each pass puts one end on an edge line: four passes are the most a segment needs in exact
    // arithmetic; rounding can leave an end a hair outside, so up to eight are allowed.
    for (int pass = 0; pass < 8; ++pass) {
        const int code0 = OutsideCode(x0, y0, w, h);
        const int code1 = OutsideCode(x1, y1, w, h);
        if ((code0 | code1) == 0) {
            return true;
        }
        if ((code0 & code1) != 0) {
            return false;  // both ends beyond the same edge
        }
        const bool first = code0 != 0;
        const int code = first ? code0 : code1;
        const double dx = x1 - x0;
        const double dy = y1 - y0;
        double x;
        double y;
        // The fraction of the way along stays within [0, 1], so nothing overflows.
        if (code & kAbove) {
            x = x0 + dx * ((0 - y0) / dy);
            y = 0;
        } else if (code & kBelow) {
            x = x0 + dx * ((h - y0) / dy);
            y = h;
        } else if (code & kLeftOf) {
            y = y0 + dy * ((0 - x0) / dx);
            x = 0;
        } else {
            y = y0 + dy * ((w - x0) / dx);
            x = w;
        }
        (first ? x0 : x1) = x;
        (first ? y0 : y1) = y;
    }
    return false;
}

}  // namespace

QRgb RgbFromColourRef(ColourRef colour) {
    return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

ImageSurface::ImageSurface(QSize area, QColor background)
    : area_(area.expandedTo(QSize(0, 0))), extent_(area_), background_(background.rgb()) {}

void ImageSurface::SetAreaSize(QSize area) {
    area_ = area.expandedTo(QSize(0, 0));
    extent_ = extent_.expandedTo(area_);
    const QSize device = DeviceSize(extent_);
    if (image_.isNull() || device == image_.size()) {
        return;
    }
    QImage grown(device, kFormat);
    grown.fill(background_);
    grown.setDevicePixelRatio(ratio_);
    const qsizetype rowBytes = qsizetype(image_.width()) * sizeof(QRgb);
    for (int y = 0; y < image_.height(); ++y) {
        std::memcpy(grown.scanLine(y), image_.constScanLine(y), rowBytes);
    }
    image_ = std::move(grown);
}

void ImageSurface::SetBackground(QColor background) {
    background_ = background.rgb();
    inkKnown_ = false;
}

void ImageSurface::SetDevicePixelRatio(double ratio) {
    if (!(ratio > 0) || !std::isfinite(ratio) || ratio == ratio_) {
        return;
    }
    ratio_ = ratio;
    if (!image_.isNull()) {
        image_ = image_.scaled(DeviceSize(extent_), Qt::IgnoreAspectRatio, Qt::FastTransformation);
        image_.setDevicePixelRatio(ratio_);
    }
}

QSize ImageSurface::DeviceSize(QSize pixels) const {
    return QSize(static_cast<int>(std::ceil(pixels.width() * ratio_)),
                 static_cast<int>(std::ceil(pixels.height() * ratio_)));
}

int ImageSurface::DeviceCell(double pixel, int cells) const {
    return std::min(static_cast<int>(pixel * ratio_), cells - 1);
}

QRgb ImageSurface::Ink(ColourRef colour) {
    // The curve's 10,001 points come in one colour: work it out once.
    if (!inkKnown_ || colour != inkFor_) {
        inkFor_ = colour;
        ink_ = Legible(RgbFromColourRef(colour), background_);
        inkKnown_ = true;
    }
    return ink_;
}

QImage& ImageSurface::Image() {
    if (image_.isNull() && !extent_.isEmpty()) {
        image_ = QImage(DeviceSize(extent_), kFormat);
        image_.fill(background_);
        image_.setDevicePixelRatio(ratio_);
    }
    return image_;
}

void ImageSurface::Cls() {
    if (!image_.isNull()) {
        image_.fill(background_);
    }
}

void ImageSurface::SetUserCoordinates(double x1, double y1, double x2, double y2) {
    scale_.Set(x1, y1, x2, y2, area_.width(), area_.height());
}

void ImageSurface::SetLineWidth(int width) {
    lineWidth_ = std::clamp(width, 1, kMaxLineWidth);
}

void ImageSurface::SetPoint(float x, float y, ColourRef colour) {
    const double px = scale_.ToPixelX(x);
    const double py = scale_.ToPixelY(y);
    // Negated, so that NaN fails too.
    if (!(px >= 0 && px < extent_.width() && py >= 0 && py < extent_.height())) {
        return;
    }
    const QSize device = DeviceSize(extent_);
    Stamp(DeviceCell(px, device.width()), DeviceCell(py, device.height()), Ink(colour));
}

void ImageSurface::DrawLine(float x1, float y1, float x2, float y2, ColourRef colour) {
    // In device pixels from here on.
    double ax = scale_.ToPixelX(x1) * ratio_;
    double ay = scale_.ToPixelY(y1) * ratio_;
    double bx = scale_.ToPixelX(x2) * ratio_;
    double by = scale_.ToPixelY(y2) * ratio_;
    const QSize device = DeviceSize(extent_);
    if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by) ||
        !ClipToBox(ax, ay, bx, by, device.width(), device.height())) {
        return;
    }
    // Bresenham between the cells of the two ends. An end on the far edge of the box names
    // the cell just past it, which the stamp skips like any position beyond the image.
    int x = static_cast<int>(ax);
    int y = static_cast<int>(ay);
    const int xEnd = static_cast<int>(bx);
    const int yEnd = static_cast<int>(by);
    const int dx = std::abs(xEnd - x);
    const int dy = -std::abs(yEnd - y);
    const int sx = x < xEnd ? 1 : -1;
    const int sy = y < yEnd ? 1 : -1;
    int error = dx + dy;
    const QRgb rgb = Ink(colour);
    for (;;) {
        Stamp(x, y, rgb);
        if (x == xEnd && y == yEnd) {
            break;
        }
        const int e2 = 2 * error;
        if (e2 >= dy) {
            error += dy;
            x += sx;
        }
        if (e2 <= dx) {
            error += dx;
            y += sy;
        }
    }
}

void ImageSurface::Stamp(int px, int py, QRgb rgb) {
    QImage& image = Image();
    // A width of w covers w × w device cells around the position, the position's cell first; w
    // is the line width in device pixels.
    const int width = std::max(1, static_cast<int>(std::lround(lineWidth_ * ratio_)));
    const int before = (width - 1) / 2;
    const int x0 = std::max(px - before, 0);
    const int x1 = std::min(px - before + width, image.width());
    const int y0 = std::max(py - before, 0);
    const int y1 = std::min(py - before + width, image.height());
    for (int y = y0; y < y1; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(row + x0, row + std::max(x0, x1), rgb);
    }
}

QImage ImageSurface::Picture() const {
    if (image_.isNull()) {
        QImage blank(DeviceAreaSize(), kFormat);
        blank.fill(background_);
        blank.setDevicePixelRatio(ratio_);
        return blank;
    }
    const QSize device = DeviceAreaSize();
    if (image_.size() == device) {
        return image_;  // shared until either side draws: a large picture is not held twice
    }
    return image_.copy(QRect(QPoint(0, 0), device));
}

}  // namespace quadrello::graph
