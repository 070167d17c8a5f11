#pragma once

#include <QProxyStyle>
#include <QString>
#include <vector>

#include "skin/SkinSheet.h"

namespace quadrello::skin {

// Paints a colour skin through palettes: the application's style, with every widget given, when
// it is polished, the palette a Qt style sheet of those colours would give it. As under a style
// sheet, a widget takes no colours from its parent: each starts from its class's palette (or
// from one the program set on it) and takes the colours of the rules that match it.
//
// It spares the program the style-sheet style, which would otherwise run every widget's
// polishing, sizing and painting through its rule matching. Only where a style sheet's
// background colour changes more than colours (a menu loses its frame, for one) does a widget
// get the sheet itself, when it is polished, so that it looks exactly as the sheet makes it.
// Makes the style's own standard palette, every role of it, the application's palette and the
// palette of every class a platform theme gives one of its own (GTK's theme does): under a skin,
// the colours the skin leaves alone come from there and never from the desktop's scheme, so that
// a dark colour the skin sets never meets a dark face a dark scheme brings along. Held against
// later changes of the desktop's theme too.
void PinStandardPalette();

class SkinStyle : public QProxyStyle {
    Q_OBJECT

  public:
    // Takes `base` over; it keeps painting everything. `sheet` is the style sheet the rules
    // come from.
    SkinStyle(QStyle* base, QString sheet, std::vector<SkinRule> rules);

    // Puts a new sheet in place and polishes the widgets already polished again.
    void SetSheet(QString sheet, std::vector<SkinRule> rules);

    void polish(QWidget* widget) override;
    void unpolish(QWidget* widget) override;
    using QProxyStyle::polish;
    using QProxyStyle::unpolish;

  private:
    QString sheet_;
    std::vector<SkinRule> rules_;
};

}  // namespace quadrello::skin
