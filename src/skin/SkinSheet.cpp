#include "skin/SkinSheet.h"

#include <QStringList>
#include <QVariant>
#include <QWidget>
#include <algorithm>

namespace quadrello::skin {

namespace {

// Qt style sheets weigh an id above any number of property tests, and those above classes.
constexpr int kIdWeight = 0x10000;
constexpr int kPropertyWeight = 0x100;
constexpr int kTypeWeight = 1;

bool IsNameChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// Reads a name (letters, digits, '_') at `at`; empty when there is none.
QString TakeName(const QString& text, qsizetype& at) {
    const qsizetype start = at;
    while (at < text.size() && IsNameChar(text[at])) {
        ++at;
    }
    return text.mid(start, at - start);
}

void SkipBlanks(const QString& text, qsizetype& at) {
    while (at < text.size() && text[at].isSpace()) {
        ++at;
    }
}

bool Take(const QString& text, qsizetype& at, char c) {
    if (at < text.size() && text[at] == QLatin1Char(c)) {
        ++at;
        return true;
    }
    return false;
}

std::optional<QColor> ParseColour(const QString& text) {
    const QColor colour = QColor::fromString(text);
    return colour.isValid() ? std::optional<QColor>(colour) : std::nullopt;
}

// Sets the colour a declaration names; false for a property or value this skin cannot apply.
bool Declare(SkinColours& colours, const QString& property, const QString& value) {
    const std::optional<QColor> colour = ParseColour(value);
    if (!colour) {
        return false;
    }
    if (property == QLatin1String("color")) {
        colours.text = colour;
    } else if (property == QLatin1String("background-color")) {
        colours.background = colour;
    } else if (property == QLatin1String("selection-color")) {
        colours.selectionText = colour;
    } else if (property == QLatin1String("selection-background-color")) {
        colours.selectionBackground = colour;
    } else if (property == QLatin1String("alternate-background-color")) {
        colours.alternateBackground = colour;
    } else {
        return false;
    }
    return true;
}

std::optional<SkinColours> ParseDeclarations(const QString& body) {
    SkinColours colours;
    for (const QString& declaration : body.split(QLatin1Char(';'))) {
        if (declaration.trimmed().isEmpty()) {
            continue;
        }
        const qsizetype colon = declaration.indexOf(QLatin1Char(':'));
        if (colon < 0 || !Declare(colours, declaration.left(colon).trimmed().toLower(),
                                  declaration.mid(colon + 1).trimmed())) {
            return std::nullopt;
        }
    }
    return colours;
}

// Class (or "*"), then #name, then [property="value"]; each part optional, nothing else.
std::optional<SkinRule> ParseSelector(const QString& selector) {
    SkinRule rule;
    qsizetype at = 0;
    rule.type = Take(selector, at, '*') ? QByteArray("*") : TakeName(selector, at).toLatin1();
    if (Take(selector, at, '#') && (rule.name = TakeName(selector, at)).isEmpty()) {
        return std::nullopt;
    }
    if (Take(selector, at, '[')) {
        SkipBlanks(selector, at);
        rule.property = TakeName(selector, at).toLatin1();
        SkipBlanks(selector, at);
        if (rule.property.isEmpty() || !Take(selector, at, '=')) {
            return std::nullopt;
        }
        SkipBlanks(selector, at);
        const qsizetype quote = selector.indexOf(QLatin1Char('"'), at + 1);
        if (!Take(selector, at, '"') || quote < 0) {
            return std::nullopt;
        }
        rule.value = selector.mid(at, quote - at);
        at = quote + 1;
        SkipBlanks(selector, at);
        if (!Take(selector, at, ']')) {
            return std::nullopt;
        }
    }
    if (at != selector.size() || selector.isEmpty()) {
        return std::nullopt;
    }
    rule.specificity = (rule.name.isEmpty() ? 0 : kIdWeight) +
                       (rule.property.isEmpty() ? 0 : kPropertyWeight) +
                       (rule.type.isEmpty() || rule.type == "*" ? 0 : kTypeWeight);
    return rule;
}

// The sheet without its /* comments */; none when a comment is not closed.
std::optional<QString> WithoutComments(const QString& sheet) {
    QString text;
    qsizetype at = 0;
    for (;;) {
        const qsizetype open = sheet.indexOf(QLatin1String("/*"), at);
        if (open < 0) {
            return text + sheet.mid(at);
        }
        const qsizetype close = sheet.indexOf(QLatin1String("*/"), open + 2);
        if (close < 0) {
            return std::nullopt;
        }
        text += sheet.mid(at, open - at) + QLatin1Char(' ');
        at = close + 2;
    }
}

}  // namespace

void SkinColours::Merge(const SkinColours& other) {
    for (auto [mine, theirs] :
         {std::pair{&text, &other.text}, std::pair{&background, &other.background},
          std::pair{&selectionText, &other.selectionText},
          std::pair{&selectionBackground, &other.selectionBackground},
          std::pair{&alternateBackground, &other.alternateBackground}}) {
        if (*theirs) {
            *mine = *theirs;
        }
    }
}

bool SkinColours::Empty() const {
    return !text && !background && !selectionText && !selectionBackground && !alternateBackground;
}

bool SkinRule::Matches(const QWidget& widget) const {
    if (!type.isEmpty() && type != "*" && !widget.inherits(type.constData())) {
        return false;
    }
    if (!name.isEmpty() && widget.objectName() != name) {
        return false;
    }
    return property.isEmpty() || widget.property(property.constData()).toString() == value;
}

std::optional<std::vector<SkinRule>> ParseColourSheet(const QString& sheet) {
    const std::optional<QString> uncommented = WithoutComments(sheet);
    if (!uncommented) {
        return std::nullopt;
    }
    const QString& text = *uncommented;
    std::vector<SkinRule> rules;
    qsizetype at = 0;
    for (;;) {
        const qsizetype open = text.indexOf(QLatin1Char('{'), at);
        if (open < 0) {
            break;
        }
        const qsizetype close = text.indexOf(QLatin1Char('}'), open);
        const qsizetype next = text.indexOf(QLatin1Char('{'), open + 1);
        if (close < 0 || (next >= 0 && next < close)) {
            return std::nullopt;  // unclosed or nested braces
        }
        const std::optional<SkinColours> colours =
            ParseDeclarations(text.mid(open + 1, close - open - 1));
        if (!colours) {
            return std::nullopt;
        }
        for (const QString& part : text.mid(at, open - at).split(QLatin1Char(','))) {
            std::optional<SkinRule> rule = ParseSelector(part.trimmed());
            if (!rule) {
                return std::nullopt;
            }
            rule->order = static_cast<int>(rules.size());
            rule->colours = *colours;
            rules.push_back(*rule);
        }
        at = close + 1;
    }
    if (!text.mid(at).trimmed().isEmpty()) {
        return std::nullopt;  // text after the last rule
    }
    return rules;
}

SkinColours ColoursFor(const std::vector<SkinRule>& rules, const QWidget& widget) {
    std::vector<const SkinRule*> matching;
    for (const SkinRule& rule : rules) {
        if (rule.Matches(widget)) {
            matching.push_back(&rule);
        }
    }
    std::stable_sort(matching.begin(), matching.end(), [](const SkinRule* a, const SkinRule* b) {
        return a->specificity < b->specificity;
    });
    SkinColours colours;
    for (const SkinRule* rule : matching) {
        colours.Merge(rule->colours);
    }
    return colours;
}

}  // namespace quadrello::skin
