#include "platform/Label.h"

namespace quadrello::platform {

Label::Label(const QString& caption, Sizing sizing, Background background, QWidget* parent)
    : QLabel(caption, parent), sizing_(sizing) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(background == Background::Opaque);
}

void Label::SetCaption(const QString& caption) {
    setText(caption);
    if (sizing_ == Sizing::AutoSize && !caption.isEmpty()) {
        resize(fontMetrics().horizontalAdvance(caption), height());
    }
}

}  // namespace quadrello::platform
