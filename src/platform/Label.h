#pragma once

#include <QLabel>

namespace quadrello::platform {

// Static text that takes no focus. An auto-size label is one line exactly as wide as its
// caption, as far as its parent has room; a fixed-size one keeps its size. A caption that does
// not fit is never cut silently: it ends in an ellipsis where the rest would be, and the whole
// caption is the label's tooltip. A transparent label paints no background of its own.
class Label : public QLabel {
    Q_OBJECT

  public:
    enum class Sizing { Fixed, AutoSize };
    enum class Background { Transparent, Opaque };

    Label(const QString& caption, Sizing sizing, Background background, QWidget* parent);

    // Sets the caption; an auto-size label then takes the caption's width.
    void SetCaption(const QString& caption);
    // Where an auto-size label's room ends, in its parent's coordinates, when something (a
    // panel beside it) ends it before the parent's right edge. Fits the caption again.
    void SetRoomEnd(int x);
    // Fits the caption again into the room there is now (after the parent was resized).
    void Refit() { Show(true); }
    // The whole caption, also while it is shown cut.
    const QString& Caption() const { return caption_; }

    // Lets the user select the text with the mouse and copy it with Ctrl+C or the context menu;
    // what is copied is the whole caption behind a selected ellipsis, and the whole caption
    // when nothing is selected. `meaning` is what a screen reader says before the caption.
    void MakeSelectable(const QString& meaning);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void Show(bool fitWidth);
    QString CopiedText() const;
    void Copy() const;

    QString caption_;
    QString shown_;  // what Show() put up
    QString meaning_;
    Sizing sizing_;
    int roomEnd_ = -1;  // none: the parent's right edge
};

}  // namespace quadrello::platform
