#pragma once

#include <QLineEdit>

namespace quadrello {

// A coefficient text box: single-line, any text, and its whole text selected whenever it
// receives the focus, by Tab, by program or by a click.
class CoefficientBox : public QLineEdit {
    Q_OBJECT

  public:
    CoefficientBox(const QString& text, QWidget* parent);

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    // Set when a click brought the focus: that click must not put the caret in place of the
    // selection it has just caused.
    bool keepSelectionOnPress_ = false;
};

}  // namespace quadrello
