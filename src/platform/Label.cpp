#include "platform/Label.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>

namespace quadrello::platform {

namespace {

constexpr char kCopy[] = "复制";
constexpr char kSelectAll[] = "全选";

}  // namespace

Label::Label(const QString& caption, Sizing sizing, Background background, QWidget* parent)
    : QLabel(caption, parent), caption_(caption), sizing_(sizing) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(background == Background::Opaque);
}

void Label::SetCaption(const QString& caption) {
    caption_ = caption;
    Show(true);
    if (!meaning_.isEmpty()) {
        setAccessibleName(caption_.isEmpty() ? meaning_ : meaning_ + u' ' + caption_);
    }
}

void Label::SetRoomEnd(int x) {
    roomEnd_ = x;
    Show(true);
}

void Label::MakeSelectable(const QString& meaning) {
    meaning_ = meaning;
    setAccessibleName(meaning_);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setFocusPolicy(Qt::ClickFocus);  // so that Ctrl+C reaches it, outside the tab chain
}

void Label::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    if (text() != shown_) {
        caption_ = text();  // set through QLabel::setText
    }
    // Placed at its designed size, an auto-size label still takes its caption's width: a face
    // wider than the designed one must not cut a short caption ("X=") to its ellipsis.
    Show(sizing_ == Sizing::AutoSize);
}

// Shows the caption, cut with an ellipsis where it does not fit. An auto-size label first takes
// the caption's width, as far as its parent has room.
void Label::Show(bool fitWidth) {
    const int natural = fontMetrics().horizontalAdvance(caption_);
    if (fitWidth && sizing_ == Sizing::AutoSize && !caption_.isEmpty()) {
        int end = parentWidget() != nullptr ? parentWidget()->width() : x() + natural;
        if (roomEnd_ >= 0) {
            end = qMin(end, roomEnd_);
        }
        resize(qMax(0, qMin(natural, end - x())), height());
    }
    // Captions of several lines are laid out as they are.
    const bool oneLine = !wordWrap() && !caption_.contains(u'\n');
    const QString shown = !oneLine || natural <= width()
                              ? caption_
                              : fontMetrics().elidedText(caption_, Qt::ElideRight, width());
    shown_ = shown;
    setText(shown);
    setToolTip(shown == caption_ ? QString() : caption_);
}

QString Label::CopiedText() const {
    if (!hasSelectedText()) {
        return caption_;
    }
    const qsizetype start = selectionStart();
    const qsizetype length = selectedText().size();
    const bool cut = text() != caption_;
    // Shown cut, the text is the caption's first size() - 1 characters and the ellipsis.
    if (cut && start + length >= text().size()) {
        return caption_.mid(start);
    }
    return caption_.mid(start, length);
}

void Label::Copy() const {
    QGuiApplication::clipboard()->setText(CopiedText());
}

void Label::keyPressEvent(QKeyEvent* event) {
    if (textInteractionFlags() != Qt::NoTextInteraction && event->matches(QKeySequence::Copy)) {
        Copy();
        event->accept();
        return;
    }
    QLabel::keyPressEvent(event);
}

void Label::contextMenuEvent(QContextMenuEvent* event) {
    if (textInteractionFlags() == Qt::NoTextInteraction) {
        QLabel::contextMenuEvent(event);
        return;
    }
    QMenu menu(this);
    menu.addAction(QString::fromUtf8(kCopy), this, &Label::Copy);
    menu.addAction(QString::fromUtf8(kSelectAll), this,
                   [this] { setSelection(0, int(text().size())); });
    menu.exec(event->globalPos());
}

}  // namespace quadrello::platform
