#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>
#include <optional>
#include <vector>

class QWidget;

namespace quadrello::skin {

// The colours one rule of a skin sets; unset ones leave the widget's own.
struct SkinColours {
    std::optional<QColor> text;                 // the sheet's "color"
    std::optional<QColor> background;           // "background-color"
    std::optional<QColor> selectionText;        // "selection-color"
    std::optional<QColor> selectionBackground;  // "selection-background-color"
    std::optional<QColor> alternateBackground;  // "alternate-background-color"

    // Takes every colour `other` sets.
    void Merge(const SkinColours& other);
    bool Empty() const;
};

// One selector of a style-sheet rule with its colours: a class (matched with its subclasses,
// "*" for all), an object name (#name) and one property test ([property="value"]), each
// optional, as Qt style sheets match them.
struct SkinRule {
    QByteArray type;  // Latin-1, as class and property names are
    QString name;
    QByteArray property;
    QString value;
    int specificity = 0;  // ids, then property tests, then classes, as Qt style sheets rank them
    int order = 0;        // the later of two equally specific rules wins
    SkinColours colours;

    bool Matches(const QWidget& widget) const;
};

// The rules of a Qt style sheet that sets colours only, on selectors of the form above; none
// when the sheet uses anything else (other properties, pseudo-states, sub-controls, nested
// selectors, colours Qt's colour names do not cover), since only a style sheet can apply that.
std::optional<std::vector<SkinRule>> ParseColourSheet(const QString& sheet);

// The colours of the rules that match `widget`, by specificity and order.
SkinColours ColoursFor(const std::vector<SkinRule>& rules, const QWidget& widget);

}  // namespace quadrello::skin
