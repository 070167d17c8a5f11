#pragma once

#include <QColor>
#include <QImage>
#include <QSize>

#include "graph/PlotSurface.h"
#include "graph/image/UserScale.h"

namespace quadrello::graph {

// A drawing area kept in a retained image: it clears to its background colour, carries a user
// scale and draws lines and single pixels in it, writing the pixels directly. Needs no
// application object, so the command-line companion can render without a display.
//
// On a high-density screen the retained image holds the area at the device's resolution: each
// pixel of the area is `DevicePixelRatio()` device pixels wide and high. Positions are placed
// at the device pixel they fall in, and lines and points keep the weight they have at ratio 1:
// a line width of w covers w × ratio device pixels, rounded. The user scale and the readout stay
// in pixels of the area.
//
// On a dark background (a dark desktop scheme) a colour too close to it to be seen (contrast
// below 3:1, as pure blue) is drawn lightened until it stands out; on a light background every
// colour is drawn as asked.
//
// The retained image never shrinks: an area that narrows and widens again shows its picture
// unchanged. Everything drawn is clipped to the retained image; positions beyond it, however
// large or not finite, are skipped. Until something is drawn the picture is all background and
// the image is not made: a window shows its empty plot without holding one.
class ImageSurface : public PlotSurface {
  public:
    ImageSurface(QSize area, QColor background);

    // The size of the drawing area in pixels. Growing keeps the picture and fills the new part
    // with the background; the user scale keeps its units per pixel.
    void SetAreaSize(QSize area);
    QSize AreaSize() const { return area_; }

    // Used by the next clear and by parts the area gains.
    void SetBackground(QColor background);
    QColor Background() const { return QColor::fromRgb(background_); }

    // Device pixels per pixel of the area. A change scales the picture kept so far.
    void SetDevicePixelRatio(double ratio);
    double DevicePixelRatio() const { return ratio_; }

    // Clears the whole picture to the background; the user scale stays.
    void Cls();

    void SetUserCoordinates(double x1, double y1, double x2, double y2) override;
    void SetLineWidth(int width) override;
    void DrawLine(float x1, float y1, float x2, float y2, ColourRef colour) override;
    void SetPoint(float x, float y, ColourRef colour) override;

    const UserScale& Scale() const { return scale_; }
    int LineWidth() const { return lineWidth_; }

    // The retained image, in device pixels (its device pixel ratio set); it may reach beyond the
    // area. Null while nothing has been drawn (the picture is then all background).
    const QImage& Retained() const { return image_; }
    // The area in device pixels: its size times the ratio, rounded up.
    QSize DeviceAreaSize() const { return DeviceSize(area_); }
    // A copy of what the area shows, in device pixels (sharing the retained image's pixels,
    // copy-on-write, when the two are the same size).
    QImage Picture() const;

  private:
    // The retained image, made at its full size and cleared to the background at the first
    // drawing.
    QImage& Image();
    QSize DeviceSize(QSize pixels) const;
    // The device pixel that the area's position `pixel` falls in, within `cells`.
    int DeviceCell(double pixel, int cells) const;
    QRgb Ink(ColourRef colour);
    void Stamp(int px, int py, QRgb rgb);

    QImage image_;
    QSize area_;
    QSize extent_;  // the size the retained image has or will have: the largest area yet
    QRgb background_;
    UserScale scale_;
    int lineWidth_ = 1;
    double ratio_ = 1;
    ColourRef inkFor_ = 0;  // the last colour asked for and what it is drawn in
    QRgb ink_ = 0;
    bool inkKnown_ = false;
};

// A Windows COLORREF (0x00BBGGRR) as an opaque Qt colour value.
QRgb RgbFromColourRef(ColourRef colour);

}  // namespace quadrello::graph
