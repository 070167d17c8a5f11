#pragma once

#include <QWidget>

#include "graph/PlotSurface.h"
#include "graph/image/ImageSurface.h"
#include "graph/image/PictureGeometry.h"

namespace quadrello::platform {

// A classic picture box: a fixed-size widget with a sunken 2-pixel 3D border around its drawing
// area. The picture lives in a retained image, so it survives being covered, minimised or
// hidden; it clears to the background colour (the palette's Base), carries a user scale and
// draws lines and single pixels in it. The image has the screen's resolution: on a high-density
// screen the plot is as fine as the screen and keeps the weight it has at scale 1. Pointer moves
// over the drawing area, with or without a button held, are reported in the current user
// coordinates: twips from the area's top-left corner until a scale is set.
//
// The owner sets its geometry; the drawing area is the widget less the border on each side.
// When it grows, the picture stays and the user range extends at the same units per pixel.
class PictureBox : public QWidget, public PlotSurface {
    Q_OBJECT

  public:
    static constexpr int kBorderWidth = graph::kPictureBorderWidth;

    explicit PictureBox(QWidget* parent = nullptr);

    // Clears the picture to the background colour; the user scale stays.
    void Cls();

    void SetUserCoordinates(double x1, double y1, double x2, double y2) override;
    void SetLineWidth(int width) override;
    void DrawLine(float x1, float y1, float x2, float y2, ColourRef colour) override;
    void SetPoint(float x, float y, ColourRef colour) override;

    // The drawing area's size in pixels.
    QSize AreaSize() const;
    // What the drawing area shows, in device pixels (its device pixel ratio set).
    QImage Picture() const;
    // The present user scale: ScaleLeft, ScaleTop, and ScaleWidth/ScaleHeight over the
    // area's present size.
    double ScaleLeft() const;
    double ScaleTop() const;
    double ScaleWidth() const;
    double ScaleHeight() const;

  signals:
    void pointerMoved(float x, float y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    // A hidden widget gets no resize event, so every drawing call sizes the image first.
    graph::ImageSurface& Surface();
    const graph::ImageSurface& Surface() const;
    void RequestRepaint();

    mutable graph::ImageSurface surface_;
    bool repaintPending_ = false;
};

}  // namespace quadrello::platform
