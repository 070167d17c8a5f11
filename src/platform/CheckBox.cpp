#include "platform/CheckBox.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>
#include <cmath>
#include <optional>

namespace quadrello::platform {

namespace {

// What a control's outline needs against its background to be seen.
constexpr double kOutlineContrast = 3.0;

double Luminance(const QColor& colour) {
    const auto linear = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The outline a dark scheme's box needs, or none: light schemes (the skin's included) keep the
// style's own look, where the white face stands on the grey window.
std::optional<QColor> DarkSchemeOutline(const QPalette& palette) {
    const QColor window = palette.color(QPalette::Window);
    const QColor text = palette.color(QPalette::WindowText);
    if (Luminance(window) >= Luminance(text) ||
        Contrast(palette.color(QPalette::Base), window) >= kOutlineContrast) {
        return std::nullopt;
    }
    // The text colour toned down towards the window, as far as the outline stays visible.
    for (double share = 0.5; share < 1.0; share += 0.1) {
        const QColor mixed =
            QColor::fromRgbF(float(share * text.redF() + (1 - share) * window.redF()),
                             float(share * text.greenF() + (1 - share) * window.greenF()),
                             float(share * text.blueF() + (1 - share) * window.blueF()));
        if (Contrast(mixed, window) >= kOutlineContrast) {
            return mixed;
        }
    }
    return text;
}

// Qt numbers its states 0 unchecked, 1 partially checked, 2 checked.
Qt::CheckState ToQt(CheckBox::State state) {
    switch (state) {
        case CheckBox::kChecked:
            return Qt::Checked;
        case CheckBox::kGreyed:
            return Qt::PartiallyChecked;
        default:
            return Qt::Unchecked;
    }
}

}  // namespace

CheckBox::CheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent) {
    setTristate(true);  // lets the program assign the greyed state
    // stateChanged fires once per real change, whoever makes it.
    connect(this, &QCheckBox::stateChanged, this, &CheckBox::clickAction);
}

CheckBox::State CheckBox::Value() const {
    switch (checkState()) {
        case Qt::Checked:
            return kChecked;
        case Qt::PartiallyChecked:
            return kGreyed;
        default:
            return kUnchecked;
    }
}

bool CheckBox::SetValue(int value) {
    if (!IsState(value)) {
        return false;
    }
    setCheckState(ToQt(static_cast<State>(value)));
    return true;
}

void CheckBox::paintEvent(QPaintEvent* event) {
    QCheckBox::paintEvent(event);
    const std::optional<QColor> outline = DarkSchemeOutline(palette());
    if (!outline) {
        return;
    }
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect box = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    QPainter painter(this);
    painter.setPen(*outline);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
}

void CheckBox::nextCheckState() {
    setCheckState(Value() == kChecked ? Qt::Unchecked : Qt::Checked);
}

}  // namespace quadrello::platform
