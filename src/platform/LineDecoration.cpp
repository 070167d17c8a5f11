#include "platform/LineDecoration.h"

#include <QPainter>
#include <algorithm>

namespace quadrello::platform {

namespace {

// The pixels from `from` towards `to` along one axis, the end excluded: [first, last].
std::pair<int, int> Span(int from, int to) {
    if (from == to) {
        return {from, from};
    }
    return from < to ? std::pair{from, to - 1} : std::pair{to + 1, from};
}

}  // namespace

LineDecoration::LineDecoration(QPoint from, QPoint to, QColor colour, QWidget* parent)
    : QWidget(parent), colour_(colour) {
    const auto [left, right] = Span(from.x(), to.x());
    const auto [top, bottom] = Span(from.y(), to.y());
    setGeometry(QRect(QPoint(left, top), QPoint(right, bottom)));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void LineDecoration::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), colour_);
}

}  // namespace quadrello::platform
