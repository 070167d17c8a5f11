#include "platform/PictureBox.h"

#include <qdrawutil.h>
#include <QMouseEvent>
#include <QPainter>

namespace quadrello::platform {

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent), surface_(QSize(0, 0), palette().color(QPalette::Base)) {
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize PictureBox::AreaSize() const {
    return (size() - QSize(2 * kBorderWidth, 2 * kBorderWidth)).expandedTo(QSize(0, 0));
}

graph::ImageSurface& PictureBox::Surface() {
    surface_.SetDevicePixelRatio(devicePixelRatioF());
    surface_.SetAreaSize(AreaSize());
    return surface_;
}

const graph::ImageSurface& PictureBox::Surface() const {
    surface_.SetDevicePixelRatio(devicePixelRatioF());
    surface_.SetAreaSize(AreaSize());
    return surface_;
}

void PictureBox::RequestRepaint() {
    // One update per batch of drawing: 10,001 points must not queue 10,001 updates.
    if (!repaintPending_) {
        repaintPending_ = true;
        update();
    }
}

void PictureBox::Cls() {
    Surface().Cls();
    RequestRepaint();
}

void PictureBox::SetUserCoordinates(double x1, double y1, double x2, double y2) {
    Surface().SetUserCoordinates(x1, y1, x2, y2);
}

void PictureBox::SetLineWidth(int width) {
    surface_.SetLineWidth(width);
}

void PictureBox::DrawLine(float x1, float y1, float x2, float y2, ColourRef colour) {
    Surface().DrawLine(x1, y1, x2, y2, colour);
    RequestRepaint();
}

void PictureBox::SetPoint(float x, float y, ColourRef colour) {
    Surface().SetPoint(x, y, colour);
    RequestRepaint();
}

QImage PictureBox::Picture() const {
    return Surface().Picture();
}

double PictureBox::ScaleLeft() const {
    return surface_.Scale().ScaleLeft();
}
double PictureBox::ScaleTop() const {
    return surface_.Scale().ScaleTop();
}
double PictureBox::ScaleWidth() const {
    return surface_.Scale().ScaleWidth(AreaSize().width());
}
double PictureBox::ScaleHeight() const {
    return surface_.Scale().ScaleHeight(AreaSize().height());
}

void PictureBox::paintEvent(QPaintEvent*) {
    repaintPending_ = false;
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), /*sunken=*/true);
    const graph::ImageSurface& surface = Surface();
    const QRect area(QPoint(kBorderWidth, kBorderWidth), surface.AreaSize());
    if (surface.Retained().isNull()) {
        painter.fillRect(area, surface.Background());  // nothing drawn yet
    } else {
        // Device pixel for device pixel: the source is exactly the area at the image's ratio.
        const QSizeF device = QSizeF(area.size()) * surface.DevicePixelRatio();
        painter.drawImage(QRectF(area), surface.Retained(), QRectF(QPointF(0, 0), device));
    }
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    surface_.SetAreaSize(AreaSize());
    QWidget::resizeEvent(event);
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    const QPointF area = event->position() - QPointF(kBorderWidth, kBorderWidth);
    const QSize size = AreaSize();
    const bool inside =
        area.x() >= 0 && area.y() >= 0 && area.x() < size.width() && area.y() < size.height();
    // Over the border only a held button (which keeps the pointer captured) reports moves.
    if (inside || event->buttons() != Qt::NoButton) {
        const graph::UserScale& scale = surface_.Scale();
        emit pointerMoved(static_cast<float>(scale.ToUserX(area.x())),
                          static_cast<float>(scale.ToUserY(area.y())));
    }
    QWidget::mouseMoveEvent(event);
}

void PictureBox::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) {
        surface_.SetBackground(palette().color(QPalette::Base));
    }
    QWidget::changeEvent(event);
}

}  // namespace quadrello::platform
