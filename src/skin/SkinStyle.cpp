#include "skin/SkinStyle.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace quadrello::skin {

namespace {

// Marks the widgets whose palette the skin set, to tell them from palettes the program set.
constexpr char kSkinnedProperty[] = "_quadrello_skin_palette";

// The kinds of widget that a style sheet's background colour only colours, as the same palette
// would (the skin look test holds them to every pixel). Other kinds may be painted by the
// style-sheet style itself once they have a background: a menu, for one, loses its frame.
constexpr const char* kPaletteBackgroundKinds[] = {"QWidget", "QLabel", "QLineEdit", "QMessageBox"};

// The classes a platform theme may give palettes of their own, which Qt prefers to the
// application's for widgets of those classes: GTK's theme does, from a dark GTK theme as well,
// so a skinned button would otherwise keep a dark face under the skin's dark text.
constexpr const char* kThemedClasses[] = {
    "QToolButton",      "QAbstractButton", "QCheckBox",
    "QRadioButton",     "QHeaderView",     "QAbstractItemView",
    "QMessageBoxLabel", "QTabBar",         "QLabel",
    "QGroupBox",        "QMenu",           "QMenuBar",
    "QTextEdit",        "QTextControl",    "QLineEdit",
    "QComboBox"};

constexpr QPalette::ColorGroup kGroups[] = {QPalette::Active, QPalette::Inactive,
                                            QPalette::Disabled};

// The roles a style-sheet colour sets, as Qt's style-sheet style sets them.
void Paint(QPalette& palette, QPalette::ColorGroup group, const SkinColours& colours,
           const QWidget& widget) {
    if (colours.background) {
        for (const QPalette::ColorRole role :
             {QPalette::Base, QPalette::Button, widget.backgroundRole(), QPalette::Window}) {
            palette.setColor(group, role, *colours.background);
        }
    }
    if (colours.text) {
        for (const QPalette::ColorRole role : {QPalette::ButtonText, widget.foregroundRole(),
                                               QPalette::WindowText, QPalette::Text}) {
            palette.setColor(group, role, *colours.text);
        }
        QColor placeholder = *colours.text;
        placeholder.setAlpha((placeholder.alpha() + 1) / 2);
        palette.setColor(group, QPalette::PlaceholderText, placeholder);
    }
    if (colours.selectionText) {
        palette.setColor(group, QPalette::HighlightedText, *colours.selectionText);
    }
    if (colours.selectionBackground) {
        palette.setColor(group, QPalette::Highlight, *colours.selectionBackground);
    }
    if (colours.alternateBackground) {
        palette.setColor(group, QPalette::AlternateBase, *colours.alternateBackground);
    }
}

// Every role of every group marked as set on the widget itself, so that none of them comes from
// its parent.
QPalette::ResolveMask EveryRole() {
    static const QPalette::ResolveMask mask = [] {
        QPalette palette;
        for (const QPalette::ColorGroup group : kGroups) {
            for (int role = 0; role < QPalette::NColorRoles; ++role) {
                const auto colorRole = static_cast<QPalette::ColorRole>(role);
                palette.setBrush(group, colorRole, palette.brush(group, colorRole));
            }
        }
        return palette.resolveMask();
    }();
    return mask;
}

// The nearest Qt class of the widget. The program's classes live in namespaces, so a class of
// the program counts as the Qt class it extends.
QByteArray QtKind(const QWidget& widget) {
    const QMetaObject* meta = widget.metaObject();
    while (meta->superClass() != nullptr && QByteArray(meta->className()).contains("::")) {
        meta = meta->superClass();
    }
    return meta->className();
}

bool BackgroundIsPaletteOnly(const QWidget& widget) {
    const QByteArray kind = QtKind(widget);
    for (const char* paletteKind : kPaletteBackgroundKinds) {
        if (kind == paletteKind) {
            return true;
        }
    }
    return false;
}

}  // namespace

namespace {

// Qt's own light palette, the one its styles have where no platform theme gives another.
QPalette LightPalette() {
    const QColor background(239, 239, 239);
    const QColor light = background.lighter(150);
    const QColor mid = background.darker(130);
    const QColor dark = background.darker(150);
    const QColor shadow = dark.darker(135);
    QColor placeholder(Qt::black);
    placeholder.setAlpha(128);
    QPalette palette(Qt::black, background, light, dark, mid, Qt::black, Qt::white);
    palette.setBrush(QPalette::Midlight, mid.lighter(110));
    palette.setBrush(QPalette::Button, background);
    palette.setBrush(QPalette::Shadow, shadow);
    palette.setBrush(QPalette::HighlightedText, Qt::white);
    const QColor disabledText(190, 190, 190);
    palette.setBrush(QPalette::Disabled, QPalette::Text, disabledText);
    palette.setBrush(QPalette::Disabled, QPalette::WindowText, disabledText);
    palette.setBrush(QPalette::Disabled, QPalette::ButtonText, disabledText);
    palette.setBrush(QPalette::Disabled, QPalette::Base, background);
    palette.setBrush(QPalette::Disabled, QPalette::Dark, QColor(209, 209, 209).darker(110));
    palette.setBrush(QPalette::Disabled, QPalette::Shadow, shadow.lighter(150));
    palette.setBrush(QPalette::Active, QPalette::Highlight, QColor(48, 140, 198));
    palette.setBrush(QPalette::Inactive, QPalette::Highlight, QColor(48, 140, 198));
    palette.setBrush(QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145));
    palette.setBrush(QPalette::PlaceholderText, placeholder);
    return palette;
}

// The style's standard palette, where it is light. Qt's styles take their standard palette
// from the platform theme, so under a dark theme (GTK's Adwaita:dark) it is dark: Qt's own
// light palette stands in then.
QPalette StandardLightPalette() {
    const QPalette standard = QApplication::style()->standardPalette();
    return standard.color(QPalette::Window).lightness() >=
                   standard.color(QPalette::WindowText).lightness()
               ? standard
               : LightPalette();
}

void PinPalettes() {
    QPalette palette = StandardLightPalette();
    palette.setResolveMask(EveryRole());
    QApplication::setPalette(palette);
    for (const char* className : kThemedClasses) {
        QApplication::setPalette(palette, className);
    }
}

// A desktop that switches its theme while the program runs makes Qt take the theme's class
// palettes again, after it has told the windows: the standard palette goes back once that is
// over.
class PalettePin : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ThemeChange && !pending_) {
            pending_ = true;
            QTimer::singleShot(0, this, [this] {
                pending_ = false;
                PinPalettes();
            });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    bool pending_ = false;
};

}  // namespace

void PinStandardPalette() {
    PinPalettes();
    static PalettePin* pin = nullptr;
    if (pin == nullptr) {
        pin = new PalettePin(qApp);
        qApp->installEventFilter(pin);
    }
}

SkinStyle::SkinStyle(QStyle* base, QString sheet, std::vector<SkinRule> rules)
    : QProxyStyle(base), sheet_(std::move(sheet)), rules_(std::move(rules)) {}

void SkinStyle::SetSheet(QString sheet, std::vector<SkinRule> rules) {
    sheet_ = std::move(sheet);
    rules_ = std::move(rules);
    for (QWidget* widget : QApplication::allWidgets()) {
        if (widget->testAttribute(Qt::WA_WState_Polished) && widget->style() == this) {
            unpolish(widget);
            polish(widget);
        }
    }
}

void SkinStyle::polish(QWidget* widget) {
    QProxyStyle::polish(widget);
    const bool skinned = widget->property(kSkinnedProperty).toBool();
    // A palette the program set stays the starting point; any other is the application's
    // pinned one, never a class palette of the desktop's theme.
    QPalette palette = widget->testAttribute(Qt::WA_SetPalette) && !skinned
                           ? widget->palette()
                           : QApplication::palette();
    const SkinColours colours = ColoursFor(rules_, *widget);
    if (colours.background && !BackgroundIsPaletteOnly(*widget) && widget->styleSheet().isEmpty()) {
        // The style-sheet style takes the widget over and polishes it again, through this
        // style, which then leaves the sheet's colours to it.
        widget->setStyleSheet(sheet_);
        return;
    }
    for (const QPalette::ColorGroup group : kGroups) {
        Paint(palette, group, colours, *widget);
    }
    palette.setResolveMask(EveryRole());
    widget->setPalette(palette);
    widget->setProperty(kSkinnedProperty, true);
}

void SkinStyle::unpolish(QWidget* widget) {
    if (widget->property(kSkinnedProperty).toBool()) {
        widget->setPalette(QPalette());
        widget->setProperty(kSkinnedProperty, QVariant());
    }
    QProxyStyle::unpolish(widget);
}

}  // namespace quadrello::skin
