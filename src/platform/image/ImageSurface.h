#pragma once

#include <QColor>
#include <QImage>
#include <QSize>

#include "graph/PlotSurface.h"
#include "platform/image/UserScale.h"

namespace quadrello::platform {

// A drawing area kept in a retained image: it clears to its background colour, carries a user
// scale and draws lines and single pixels in it, writing the pixels directly. Needs no
// application object, so the command-line companion can render without a display.
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
    void SetBackground(QColor background) { background_ = background.rgb(); }
    QColor Background() const { return QColor::fromRgb(background_); }

    // Clears the whole picture to the background; the user scale stays.
    void Cls();

    void SetUserCoordinates(double x1, double y1, double x2, double y2) override;
    void SetLineWidth(int width) override;
    void DrawLine(float x1, float y1, float x2, float y2, ColorRef color) override;
    void SetPoint(float x, float y, ColorRef color) override;

    const UserScale& Scale() const { return scale_; }
    int LineWidth() const { return lineWidth_; }

    // The retained image; it may reach beyond the area. Null while nothing has been drawn (the
    // picture is then all background).
    const QImage& Retained() const { return image_; }
    // A copy of what the area shows (sharing the retained image's pixels, copy-on-write, when
    // the two are the same size).
    QImage Picture() const;

  private:
    // The retained image, made at its full size and cleared to the background at the first
    // drawing.
    QImage& Image();
    void Stamp(int px, int py, QRgb rgb);

    QImage image_;
    QSize area_;
    QSize extent_;  // the size the retained image has or will have: the largest area yet
    QRgb background_;
    UserScale scale_;
    int lineWidth_ = 1;
};

// A Windows COLORREF (0x00BBGGRR) as an opaque Qt colour value.
QRgb RgbFromColorRef(ColorRef color);

}  // namespace quadrello::platform
