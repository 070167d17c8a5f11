#include "ui/CoefficientBox.h"

#include <QFocusEvent>
#include <QMouseEvent>

namespace quadrello {

CoefficientBox::CoefficientBox(const QString& text, QWidget* parent) : QLineEdit(text, parent) {}

void CoefficientBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // The window getting active again (after a message, from the tray) gives the focus back
    // to the box it was in: that is no new arrival, so the caret and selection stay.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) {
        return;
    }
    selectAll();
    keepSelectionOnPress_ = event->reason() == Qt::MouseFocusReason;
}

void CoefficientBox::mousePressEvent(QMouseEvent* event) {
    if (keepSelectionOnPress_ && event->button() == Qt::LeftButton) {
        keepSelectionOnPress_ = false;
        event->accept();
        return;
    }
    keepSelectionOnPress_ = false;
    QLineEdit::mousePressEvent(event);
}

}  // namespace quadrello
