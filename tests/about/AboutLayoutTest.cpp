// Where the controls stand, what they say and in which colours, and the clipped corners.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QScreen>

#include "AboutTestSupport.h"
#include "common/NamedCase.h"

namespace quadrello::test {
namespace {

// The labels without a colour of their own take the text colour of the desktop or skin.
constexpr QRgb kSkinColour = 0x1000000;

struct Placement : NamedCase {
    QRect pixels;  // the twips of the layout at 15 to the pixel
    bool visible;
};

class AboutPlacement : public OpenAboutTable<Placement> {};

TEST_P(AboutPlacement, StandsAtItsPlace) {
    const Placement expected = GetParam();
    const QWidget* control = Control(about_, expected.name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->pos(), expected.pixels.topLeft());
    EXPECT_EQ(control->height(), expected.pixels.height());
    EXPECT_EQ(control->isVisible(), expected.visible);
    const auto* label = qobject_cast<const QLabel*>(control);
    const bool autoSize = label != nullptr && QByteArray(expected.name).startsWith("Label");
    if (autoSize) {
        // Auto-size labels take the width of their caption.
        EXPECT_EQ(control->width(), label->fontMetrics().horizontalAdvance(label->text()));
    } else {
        EXPECT_EQ(control->width(), expected.pixels.width());
    }
}

INSTANTIATE_TEST_SUITE_P(AboutLayout, AboutPlacement,
                         ::testing::Values(Placement{"Label3", {23, 272, 266, 14}, true},
                                           Placement{"lblInfo", {23, 227, 272, 41}, true},
                                           Placement{"Label2", {119, 93, 84, 14}, true},
                                           Placement{"Label1", {114, 58, 124, 29}, true},
                                           Placement{"Image1", {18, 49, 63, 64}, true},
                                           Placement{"imaCaption", {0, 0, 278, 32}, true},
                                           Placement{"lblContent", {23, 135, 268, 104}, true},
                                           Placement{"imgClose", {282, 10, 18, 18}, true},
                                           Placement{"imgC_O", {286, 59, 18, 18}, false},
                                           Placement{"imgC_N", {285, 38, 18, 18}, false}),
                         CaseName);

TEST(AboutLayout, BorderlessSquareWindowCentredOnTheScreen) {
    frmAbout about;
    about.Open();
    EXPECT_EQ(about.size(), QSize(310, 310));
    EXPECT_TRUE(about.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(about.geometry().center(), about.screen()->geometry().center());
}

// A screen reader reads a dialog named 关于 whose close picture is a named button, and not the
// drag strip it is made of.
TEST(AboutLayout, ScreenReadersReadADialogWithACloseButton) {
    frmAbout about;
    about.Open();
    QAccessibleInterface* dialog = QAccessible::queryAccessibleInterface(&about);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->role(), QAccessible::Dialog);
    EXPECT_EQ(dialog->text(QAccessible::Name), QString::fromUtf8("关于"));
    QStringList buttons;
    for (int i = 0; i < dialog->childCount(); ++i) {
        QAccessibleInterface* child = dialog->child(i);
        EXPECT_NE(child->object()->objectName(), QStringLiteral("imaCaption"));
        if (child->role() == QAccessible::Button) {
            buttons << child->text(QAccessible::Name);
        }
    }
    EXPECT_EQ(buttons, QStringList{QString::fromUtf8("关闭")});
}

// Each text in its colour, as the label paints it after styling (a skin cannot change it).
struct Text : NamedCase {
    const char* caption;
    QRgb colour;
};

class AboutText : public OpenAboutTable<Text> {};

TEST_P(AboutText, SaysItsCaptionInItsColour) {
    const Text expected = GetParam();
    qApp->setStyleSheet(QStringLiteral("QLabel { color: #00ff00; background: #00ff00; }"));
    auto* label = qobject_cast<QLabel*>(Control(about_, expected.name));
    ASSERT_NE(label, nullptr);
    label->ensurePolished();
    EXPECT_EQ(label->text(), QString::fromUtf8(expected.caption));
    if (expected.colour != kSkinColour) {
        EXPECT_EQ(label->palette().color(label->foregroundRole()).rgb() & 0xFFFFFF,
                  expected.colour);
    }
    // The picture shows through every label.
    const QImage shot = about_.grab().toImage();
    EXPECT_NE(shot.pixel(label->geometry().bottomRight()) & 0xFFFFFF, 0x00FF00u);
    qApp->setStyleSheet(QString());
}

INSTANTIATE_TEST_SUITE_P(
    AboutLayout, AboutText,
    ::testing::Values(Text{"Label3", "请记住我的名字，这是您对我最大的支持！", 0xFF0000},
                      Text{"Label2", "作者：Tarvenn", 0x0000FF},
                      Text{"Label1", "Quadrello", 0xFF8000},
                      Text{"lblInfo", "即时通讯：12345678\n电子邮件：tarvenn@example.com",
                           kSkinColour},
                      Text{"lblContent",
                           "    学一元二次函数和抛物线时，最讨厌的\n\n"
                           "就是算数。最近闲来无事，便编写了这个小\n\n"
                           "程序，希望能给大家带来方便。",
                           kSkinColour}),
    CaseName);

TEST(AboutLayout, TextsUseTheirFaces) {
    frmAbout about;
    const QFont title = Control(about, "Label1")->font();
    EXPECT_EQ(title.family(), QStringLiteral("楷体_GB2312"));
    EXPECT_EQ(title.pixelSize(), 29);
    EXPECT_EQ(title.weight(), QFont::Bold);
    EXPECT_EQ(QFontInfo(title).family(), QStringLiteral("AR PL UKai CN"));
    for (const char* name : {"Label3", "lblInfo", "Label2", "lblContent"}) {
        const QFont text = Control(about, name)->font();
        EXPECT_EQ(text.family(), QStringLiteral("宋体")) << name;
        EXPECT_EQ(text.pixelSize(), 14) << name;
        EXPECT_EQ(QFontInfo(text).family(), QStringLiteral("AR PL UMing CN")) << name;
    }
}

TEST(AboutLayout, ParagraphLinesFitTheirLabel) {
    frmAbout about;
    about.Open();
    const auto* content = qobject_cast<QLabel*>(Control(about, "lblContent"));
    ASSERT_NE(content, nullptr);
    for (const QString& line : content->text().split(u'\n')) {
        EXPECT_LE(content->fontMetrics().horizontalAdvance(line), content->width())
            << line.toStdString();
    }
}

TEST(AboutLayout, ColourKeyClipsThreePixelsAtEachCorner) {
    frmAbout about;
    about.Open();
    const QRegion shape = about.mask();
    const int last = 309;
    for (const QPoint corner :
         {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)}) {
        const int dx = corner.x() == 0 ? 1 : -1;
        const int dy = corner.y() == 0 ? 1 : -1;
        EXPECT_FALSE(shape.contains(corner));
        EXPECT_FALSE(shape.contains(corner + QPoint(dx, 0)));
        EXPECT_FALSE(shape.contains(corner + QPoint(0, dy)));
        EXPECT_TRUE(shape.contains(corner + QPoint(dx, dy))) << "only three pixels go";
        EXPECT_TRUE(shape.contains(corner + QPoint(2 * dx, 0)));
    }
    EXPECT_TRUE(shape.contains(QPoint(155, 155)));
}

}  // namespace
}  // namespace quadrello::test
