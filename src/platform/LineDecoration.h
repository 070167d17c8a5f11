#pragma once

#include <QColor>
#include <QPoint>
#include <QWidget>

namespace quadrello::platform {

// A straight horizontal or vertical line, one pixel wide, that takes no events. Like a line
// drawn from one point to another on a device, it covers its start point and stops one pixel
// short of its end point.
class LineDecoration : public QWidget {
    Q_OBJECT

  public:
    LineDecoration(QPoint from, QPoint to, QColor colour, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor colour_;
};

}  // namespace quadrello::platform
