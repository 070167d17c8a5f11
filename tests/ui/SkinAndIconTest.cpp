// The skin engine, the shipped skin (colours only), and the compiled-in icon.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "SkinTesting.h"
#include "skin/SkinEngine.h"
#include "skin/SkinSheet.h"
#include "ui/AppIcon.h"
#include "ui/Controls.h"

namespace quadrello::test {
namespace {

using skin::ParseColourSheet;
using skin::SkinRule;

struct SheetCase {
    const char* sheet;
    size_t rules;
    const char* type;      // of the last rule
    const char* name;      // of the last rule
    const char* property;  // of the last rule
    const char* value;     // of the last rule
    int specificity;       // of the last rule
};

TEST(ColourSheetTest, ReadsSelectorsAndColours) {
    const SheetCase cases[] = {
        {"QLabel { color: red; }", 1, "QLabel", "", "", "", 1},
        {"/* a skin */ QWidget#frmMain { background-color: #eef5fb; color: #1c3a52 }", 1, "QWidget",
         "frmMain", "", "", 0x10001},
        {"QLabel[autoFillBackground=\"true\"] { color: #0b4f80; }", 1, "QLabel", "",
         "autoFillBackground", "true", 0x101},
        {"QLineEdit, #lab { selection-color: white; selection-background-color: #54a5d5; }", 2, "",
         ui::kPointer.name, "", "", 0x10000},
        {"* { alternate-background-color: transparent; }", 1, "*", "", "", "", 0},
        {"QMenu { }\n", 1, "QMenu", "", "", "", 1},
        {"", 0, nullptr, nullptr, nullptr, nullptr, 0},
    };
    for (const SheetCase& c : cases) {
        const std::optional<std::vector<SkinRule>> rules =
            ParseColourSheet(QString::fromUtf8(c.sheet));
        ASSERT_TRUE(rules.has_value()) << c.sheet;
        ASSERT_EQ(rules->size(), c.rules) << c.sheet;
        if (c.rules == 0) {
            continue;
        }
        const SkinRule& last = rules->back();
        EXPECT_EQ(last.type, QByteArray(c.type)) << c.sheet;
        EXPECT_EQ(last.name, QString::fromUtf8(c.name)) << c.sheet;
        EXPECT_EQ(last.property, QByteArray(c.property)) << c.sheet;
        EXPECT_EQ(last.value, QString::fromUtf8(c.value)) << c.sheet;
        EXPECT_EQ(last.specificity, c.specificity) << c.sheet;
        EXPECT_EQ(last.order, static_cast<int>(c.rules) - 1) << c.sheet;
    }
    const auto rules =
        ParseColourSheet(QStringLiteral("QLabel { color: #102030; background-color: blue }"));
    ASSERT_TRUE(rules.has_value());
    EXPECT_EQ(rules->front().colours.text, QColor(0x10, 0x20, 0x30));
    EXPECT_EQ(rules->front().colours.background, QColor(Qt::blue));
    EXPECT_FALSE(rules->front().colours.selectionText.has_value());
}

TEST(ColourSheetTest, RefusesWhatOnlyAStyleSheetCanApply) {
    for (const char* sheet : {
             "QLabel { border: 1px solid red; }",  // not a colour
             "QLabel { color: rgb(1, 2, 3); }",    // a colour Qt's names do not cover
             "QLabel { color: nonsense; }",
             "QPushButton:hover { color: red; }",            // a pseudo-state
             "QPushButton::menu-indicator { color: red; }",  // a sub-control
             "QWidget QLabel { color: red; }",               // a descendant
             "QWidget > QLabel { color: red; }",             // a child
             "QLabel[text=red] { color: red; }",             // an unquoted value
             "QLabel { color: red; ",                        // unclosed
             "QLabel { QLabel { color: red; } }",            // nested
             "QLabel { color: red; } trailing",
             "/* unclosed comment QLabel { color: red; }",
             "QLabel { colour }",
             ", { color: red; }",
         }) {
        EXPECT_FALSE(ParseColourSheet(QString::fromUtf8(sheet)).has_value()) << sheet;
    }
}

class SkinTest : public ::testing::Test {
  protected:
    void TearDown() override { DetachSkin(); }

    std::string Write(const QByteArray& bytes) {
        const QString path = dir_.filePath(QStringLiteral("skin.ski"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path.toStdString();
    }

    QTemporaryDir dir_;
};

TEST_F(SkinTest, ColoursGoIntoPalettesNotAStyleSheet) {
    const QColor buttonText = QApplication::palette().color(QPalette::ButtonText);
    EXPECT_EQ(skin::SkinAttachEx(Write("QLabel { color: #ff0000; }"), 0), 1);
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
    EXPECT_NE(qobject_cast<skin::SkinStyle*>(QApplication::style()), nullptr);
    QWidget parent;
    auto* label = new QLabel(QStringLiteral("label"), &parent);
    auto* button = new QPushButton(QStringLiteral("button"), &parent);
    parent.ensurePolished();
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0xff, 0, 0));
    EXPECT_EQ(button->palette().color(QPalette::ButtonText), buttonText) << "no rule for it";

    // A new skin takes the place of the old one, also on widgets already polished.
    EXPECT_EQ(skin::SkinAttachEx(Write("QPushButton { color: #00ff00; }"), 0), 1);
    EXPECT_EQ(button->palette().color(QPalette::ButtonText), QColor(0, 0xff, 0));
    EXPECT_NE(label->palette().color(QPalette::WindowText), QColor(0xff, 0, 0));
}

TEST_F(SkinTest, ChildrenTakeNoColoursFromTheirParentAsUnderAStyleSheet) {
    const QPalette plain = QApplication::palette();
    EXPECT_EQ(skin::SkinAttachEx(
                  Write("QWidget#outer { background-color: #102030; color: #405060; }"), 0),
              1);
    QWidget outer;
    outer.setObjectName(QStringLiteral("outer"));
    auto* label = new QLabel(QStringLiteral("label"), &outer);
    outer.ensurePolished();
    EXPECT_EQ(outer.palette().color(QPalette::Window), QColor(0x10, 0x20, 0x30));
    EXPECT_EQ(outer.palette().color(QPalette::Disabled, QPalette::WindowText),
              QColor(0x40, 0x50, 0x60));
    EXPECT_EQ(label->palette().color(QPalette::Window), plain.color(QPalette::Window));
    EXPECT_EQ(label->palette().color(QPalette::WindowText), plain.color(QPalette::WindowText));
}

TEST_F(SkinTest, OtherSheetsAreAppliedAsStyleSheets) {
    const QByteArray sheet = "QPushButton:hover { color: red; }";
    EXPECT_EQ(skin::SkinAttachEx(Write(sheet), 0), 1);
    EXPECT_EQ(qApp->styleSheet(), QString::fromUtf8(sheet));
    EXPECT_EQ(qobject_cast<skin::SkinStyle*>(QApplication::style()), nullptr);
}

TEST_F(SkinTest, MissingOrOversizedSkinChangesNothing) {
    qApp->setStyleSheet(QStringLiteral("QLabel { color: blue; }"));
    QStyle* style = QApplication::style();
    EXPECT_EQ(skin::SkinAttachEx(dir_.filePath(QStringLiteral("none.ski")).toStdString(), 0), 0);
    EXPECT_EQ(skin::SkinAttachEx(dir_.path().toStdString(), 0), 0) << "a folder";
    const std::string pipe = dir_.filePath(QStringLiteral("pipe.ski")).toStdString();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(skin::SkinAttachEx(pipe, 0), 0) << "a pipe, with no writer: must not wait for one";
    EXPECT_EQ(skin::SkinAttachEx(Write(QByteArray(300 * 1024, ' ')), 0), 0);
    EXPECT_EQ(qApp->styleSheet(), QStringLiteral("QLabel { color: blue; }"));
    EXPECT_EQ(QApplication::style(), style);
}

// The roles that a colour skin sets, in every group.
std::vector<QColor> SkinRoles(const QWidget& widget) {
    std::vector<QColor> colours;
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (const auto role :
             {QPalette::Window, QPalette::WindowText, QPalette::Base, QPalette::Text,
              QPalette::Button, QPalette::ButtonText, QPalette::Highlight,
              QPalette::HighlightedText, QPalette::PlaceholderText, QPalette::AlternateBase}) {
            colours.push_back(widget.palette().color(group, role));
        }
    }
    return colours;
}

// Widgets of every kind the skins name, with the names and properties the rules test.
std::vector<std::vector<QColor>> PolishedPalettes() {
    QWidget window;
    window.setObjectName(QStringLiteral("frmMain"));
    std::vector<QWidget*> widgets = {&window,
                                     new QLineEdit(&window),
                                     new QPushButton(&window),
                                     new QCheckBox(&window),
                                     new QLabel(&window),
                                     new QLabel(&window),
                                     new QMenu(&window)};
    widgets[5]->setAutoFillBackground(true);
    widgets[5]->setObjectName(QString::fromUtf8(ui::kPointer.name));
    window.ensurePolished();
    std::vector<std::vector<QColor>> palettes;
    for (QWidget* widget : widgets) {
        widget->ensurePolished();
        palettes.push_back(SkinRoles(*widget));
    }
    return palettes;
}

TEST_F(SkinTest, PalettesAreTheOnesAStyleSheetGives) {
    QFile shipped(QStringLiteral(QUADRELLO_SOURCE_DIR "/resources/skin/skin.ski"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    for (const QByteArray& sheet :
         {shipped.readAll(),
          QByteArray(
              "QLabel { color: #112233; } #lab { color: #445566; } QWidget { color: #778899; }"),
          QByteArray("QLabel#lab { color: #010203; } QLabel[autoFillBackground=\"true\"] { color: "
                     "#040506; background-color: #070809; }"),
          QByteArray(
              "* { selection-color: #0a0b0c; } QLineEdit { alternate-background-color: red; }")}) {
        qApp->setStyleSheet(QString::fromUtf8(sheet));
        const auto expected = PolishedPalettes();
        DetachSkin();
        ASSERT_EQ(skin::SkinAttachEx(Write(sheet), 0), 1);
        ASSERT_NE(qobject_cast<skin::SkinStyle*>(QApplication::style()), nullptr) << sheet.data();
        const auto palettes = PolishedPalettes();
        DetachSkin();
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(palettes[i], expected[i]) << "widget " << i << " under " << sheet.data();
        }
    }
}

TEST(ShippedSkinTest, SetsColoursOnly) {
    QFile file(QStringLiteral(QUADRELLO_SOURCE_DIR "/resources/skin/skin.ski"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QString sheet = QString::fromUtf8(file.readAll());
    sheet.remove(QRegularExpression(QStringLiteral("/\\*.*?\\*/"),
                                    QRegularExpression::DotMatchesEverythingOption));
    // Every declaration inside the braces names a colour property.
    const QRegularExpression declaration(QStringLiteral("([a-z-]+)\\s*:[^;{}]*;"));
    const QStringList colours = {QStringLiteral("color"), QStringLiteral("background-color"),
                                 QStringLiteral("selection-color"),
                                 QStringLiteral("selection-background-color"),
                                 QStringLiteral("alternate-background-color")};
    int count = 0;
    for (const QString& block : sheet.split(QLatin1Char('{')).mid(1)) {
        const QString body = block.section(QLatin1Char('}'), 0, 0);
        auto it = declaration.globalMatch(body);
        while (it.hasNext()) {
            const QString property = it.next().captured(1);
            EXPECT_TRUE(colours.contains(property)) << property.toStdString();
            ++count;
        }
    }
    EXPECT_GT(count, 0);
}

// A PNG's header: width and height at bytes 16 and 20, then bit depth and colour type.
constexpr int kPngBitDepth = 24;
constexpr int kPngColourType = 25;
constexpr char kPngPalette = 3;
constexpr char kPngTrueColour = 2;

TEST(IconTest, FiveSizesWithTheirDepths) {
    for (const int size : kIconSizes) {
        const QString path = QStringLiteral(":/icon/quadrello-%1.png").arg(size);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << size;
        const QByteArray png = file.readAll();
        ASSERT_GT(png.size(), kPngColourType);
        // 8 bits per pixel through a palette up to 48 pixels, 24-bit colour above.
        EXPECT_EQ(png[kPngBitDepth], 8) << size;
        EXPECT_EQ(png[kPngColourType], size <= 48 ? kPngPalette : kPngTrueColour) << size;
        EXPECT_EQ(QImage(path).size(), QSize(size, size));
    }
    EXPECT_EQ(AppIcon().availableSizes().size(), 5);
}

}  // namespace
}  // namespace quadrello::test
