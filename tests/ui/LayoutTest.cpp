// The main window as laid out: names, kinds, captions, places in pixels (15 twips each), fonts,
// frame lines, hidden boxes, tab order, the hidden tray menu and the window's own properties.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "MainWindowFixture.h"
#include "platform/LineDecoration.h"
#include "platform/PictureBox.h"
#include "solver/Solver.h"
#include "ui/Captions.h"
#include "ui/MainLayout.h"
#include "ui/ObjectNames.h"

namespace quadrello::test {
namespace {

// Which layout rectangle, kind and caption each control was made with: a wrong constant, kind or
// caption in the window's making, or a wrong conversion to pixels, shows here. The figures
// themselves live only in the layout; the window's outer size checks them as a whole.
struct Placed {
    const char* name;
    const char* kind;     // class name
    const char* caption;  // text or caption; null for none
    layout::Rect twips;
};

constexpr const char* kLabel = "quadrello::platform::Label";
constexpr const char* kCheckBox = "quadrello::platform::CheckBox";
constexpr const char* kBox = "quadrello::CoefficientBox";

// The controls that keep the size of their rectangle (auto-size labels are checked by caption).
constexpr Placed kControls[] = {
    {names::kCoefficientA, kBox, captions::kCoefficient, layout::kCoefficientA},
    {names::kCoefficientB, kBox, captions::kCoefficient, layout::kCoefficientB},
    {names::kCoefficientC, kBox, captions::kCoefficient, layout::kCoefficientC},
    {names::kResult1, kLabel, kFirstRootPrefix, layout::kResult1},
    {names::kResult2, kLabel, kSecondRootPrefix, layout::kResult2},
    {names::kDelta, kLabel, kDeltaPrefix, layout::kDelta},
    {names::kVertexX, kLabel, "", layout::kVertexX},
    {names::kVertexY, kLabel, "", layout::kVertexY},
    {names::kPointer, kLabel, "", layout::kPointer},
    {names::kCompute, "QPushButton", captions::kCompute, layout::kCompute},
    {names::kOption, "quadrello::platform::WrappingButton", captions::kOptionCollapsed,
     layout::kOption},
    {names::kPicture, "quadrello::platform::PictureBox", nullptr, layout::kPicture},
    {names::kCalculator, "QPushButton", captions::kCalculator, layout::kCalculator},
    {names::kTopmost, kCheckBox, captions::kTopmost, layout::kTopmost},
    {names::kTray, kCheckBox, captions::kTray, layout::kTray},
    {names::kDrawGraphic, kCheckBox, captions::kDrawGraphic, layout::kDrawGraphic},
    {names::kMark, kCheckBox, captions::kMark, layout::kMark},
    {names::kRedrawGraphic, kCheckBox, captions::kRedrawGraphic, layout::kRedrawGraphic},
    {names::kContact, "QPushButton", captions::kContact, layout::kContact},
    {names::kAbout, "QPushButton", captions::kAbout, layout::kAbout},
};

// Auto-size labels: place from their rectangle, width from the caption.
constexpr Placed kAutoSizeLabels[] = {
    {"Label1", "", captions::kLabel1, layout::kLabel1},
    {"Label2", "", captions::kLabel2, layout::kLabel2},
    {"Label3", "", captions::kLabel3, layout::kLabel3},
    {"Label4", "", captions::kLabel4, layout::kLabel4},
    {"Label6", "", captions::kLabel6, layout::kLabel6},
    {"Label7", "", captions::kLabel7, layout::kLabel7},
    {"Label8", "", captions::kLabel8, layout::kLabel8},
};

// 15 twips to the pixel, rounded to the nearest.
QRect Pixels(const Placed& p) {
    return {qRound(p.twips.left / 15.0), qRound(p.twips.top / 15.0), qRound(p.twips.width / 15.0),
            qRound(p.twips.height / 15.0)};
}

QString CaptionOf(QWidget* widget) {
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return label->text();
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        return edit->text();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return button->text();
    }
    return {};
}

TEST_F(MainWindowTest, ControlsHaveTheirKindCaptionAndPlace) {
    Open();
    for (const Placed& p : kControls) {
        QWidget* widget = Control(p.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_STREQ(widget->metaObject()->className(), p.kind) << p.name;
        if (p.caption != nullptr) {
            EXPECT_EQ(CaptionOf(widget), QString::fromUtf8(p.caption)) << p.name;
        }
        EXPECT_EQ(widget->geometry(), Pixels(p)) << p.name;
    }
}

TEST_F(MainWindowTest, AutoSizeLabelsAreAsWideAsTheirCaptions) {
    Open();
    for (const Placed& p : kAutoSizeLabels) {
        auto* label = Control<QLabel>(p.name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QString::fromUtf8(p.caption)) << p.name;
        EXPECT_EQ(label->pos(), Pixels(p).topLeft()) << p.name;
        EXPECT_EQ(label->width(), label->fontMetrics().horizontalAdvance(label->text())) << p.name;
        EXPECT_EQ(label->focusPolicy(), Qt::NoFocus) << p.name;
    }
}

TEST_F(MainWindowTest, DefaultFontMetricsMatchTheLayout) {
    // The layout's sizes assume 12 px for a Chinese character and 6 px for a half-width one.
    Open();
    auto* label = Control<QLabel>("Label1");
    EXPECT_EQ(label->fontMetrics().horizontalAdvance(QString::fromUtf8("二次项系数：")), 72);
    EXPECT_EQ(label->fontMetrics().horizontalAdvance(QStringLiteral("X=")), 12);
}

// The Song face a control shows, asked for by the name of the installed face that stands in for
// 宋体 or 新宋体, so that resolving it needs no search for fallback faces.
void ExpectSongStandIn(const QWidget* control, int pixels, const char* what) {
    const QFont font = control->font();
    EXPECT_EQ(font.pixelSize(), pixels) << what;
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("AR PL UMing CN")) << what;
    EXPECT_EQ(font.family(), QFontInfo(font).family()) << what << ": asked for by its own name";
}

TEST_F(MainWindowTest, FontsOfTheBoxesAndTheComputeButton) {
    Open();
    for (const char* name : {names::kCoefficientA, names::kCoefficientB, names::kCoefficientC}) {
        ExpectSongStandIn(Control(name), 20, name);  // 宋体 15 pt
    }
    ExpectSongStandIn(Control(names::kCompute), 14, "计算按钮: 新宋体 10.5 pt");
    ExpectSongStandIn(window_.get(), 12, "frmMain: 宋体 9 pt");
    ExpectSongStandIn(Control("Label1"), 12, "Label1, with the window's font");
}

TEST_F(MainWindowTest, OpaqueAndTransparentLabels) {
    Open();
    for (const char* name : {names::kDelta, names::kVertexX, names::kVertexY, names::kPointer}) {
        EXPECT_TRUE(Control(name)->autoFillBackground()) << name;
    }
    for (const char* name : {"Label1", "Label4", names::kResult1, names::kResult2, "Label7"}) {
        EXPECT_FALSE(Control(name)->autoFillBackground()) << name;
    }
}

struct LinePixels {
    const char* name;
    QRect covered;  // from the start point up to, not including, the end point
};

TEST_F(MainWindowTest, FrameLinesInTheirColour) {
    Open();
    const LinePixels lines[] = {
        {"分界线", QRect(311, -1, 1, 226)}, {"Line1", QRect(314, 155, 77, 1)},
        {"Line2", QRect(9, 134, 1, 85)},    {"Line3", QRect(75, 133, 113, 1)},
        {"Line4", QRect(9, 218, 180, 1)},   {"Line5", QRect(9, 133, 10, 1)},
        {"Line6", QRect(188, 133, 1, 86)},  {"Line7", QRect(13, 176, 168, 1)},
    };
    for (const LinePixels& line : lines) {
        auto* widget = Control<platform::LineDecoration>(line.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), line.covered) << line.name;
        const QImage image = widget->grab().toImage();
        EXPECT_EQ(image.pixelColor(0, 0), QColor(84, 165, 213)) << line.name;
    }
}

TEST_F(MainWindowTest, HiddenBoxesNeverShow) {
    frmMain& window = OpenShown();
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(Control(names::kMark)->isVisible());
        EXPECT_FALSE(Control(names::kRedrawGraphic)->isVisible());
        window.ToggleOptions();
    }
}

// A screen reader finds what is seen: the panel's controls only while the panel is open (the
// collapsed panel lies outside the window), and none of the frame lines.
TEST_F(MainWindowTest, ScreenReadersFindOnlyWhatIsSeen) {
    frmMain& window = OpenShown();
    for (const bool open : {false, true, false}) {
        QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(&window);
        ASSERT_NE(tree, nullptr);
        QStringList found;
        for (int i = 0; i < tree->childCount(); ++i) {
            found << tree->child(i)->object()->objectName();
            EXPECT_TRUE(window.rect().intersects(
                tree->child(i)->rect().translated(-window.mapToGlobal(QPoint(0, 0)))))
                << found.last().toStdString();
        }
        for (const char* control : {names::kCalculator, names::kTopmost, names::kTray,
                                    names::kDrawGraphic, names::kContact, names::kAbout}) {
            EXPECT_EQ(found.contains(QString::fromUtf8(control)), open) << control;
        }
        EXPECT_TRUE(found.contains(QString::fromUtf8(names::kCompute)));
        for (const QWidget* line : window.findChildren<platform::LineDecoration*>()) {
            EXPECT_FALSE(found.contains(line->objectName())) << line->objectName().toStdString();
        }
        window.ToggleOptions();
    }
}

TEST_F(MainWindowTest, WindowProperties) {
    frmMain& window = OpenShown();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quadrello"));
    EXPECT_EQ(window.size(), QSize(308, 455)) << "outer 4715 twips less two 45-twip borders";
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "fixed border";
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(window.findChildren<QMenuBar*>().size(), 0) << "no menu bar";
    // The icon comes right after the first paint.
    QTRY_VERIFY(!window.windowIcon().isNull());
}

TEST_F(MainWindowTest, TrayMenuHoldsItsEightItems) {
    frmMain& window = Open();
    QMenu* menu = window.TrayMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), QStringLiteral("mnuTray"));
    EXPECT_EQ(menu->title(), QString::fromUtf8("托盘菜单"));
    EXPECT_FALSE(menu->isVisible());
    const QList<QAction*> items = menu->actions();
    const std::pair<const char*, const char*> expected[] = {
        {names::kMenuCalculator, "系统计算器"},
        {names::kMenuColours, "配置颜色"},
        {names::kMenuHomePage, "作者主页"},
        {names::kMenuContact, "联系作者"},
        {names::kMenuMoreSoftware, "更多软件"},
        {names::kMenuAbout, "关于.."},
        {"d", ""},  // the "-" caption: a bare line
        {names::kMenuExit, "退出"}};
    ASSERT_EQ(items.size(), 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(items[i]->objectName(), QString::fromUtf8(expected[i].first));
        EXPECT_EQ(items[i]->text(), QString::fromUtf8(expected[i].second));
        EXPECT_EQ(items[i]->isSeparator(), i == 6);
    }
}

TEST_F(MainWindowTest, FocusStartsInTheABoxWithItsTextSelected) {
    frmMain& window = OpenShown();
    auto* a = Control<QLineEdit>(names::kCoefficientA);
    EXPECT_EQ(window.focusWidget(), a);
    EXPECT_EQ(a->selectedText(), QStringLiteral("0"));
}

TEST_F(MainWindowTest, TabOrderPassesOverLabelsAndHiddenBoxes) {
    frmMain& window = OpenShown();
    const char* order[] = {names::kCoefficientB, names::kCoefficientC, names::kCompute,
                           names::kAbout,        names::kContact,      names::kTopmost,
                           names::kCalculator,   names::kTray,         names::kOption,
                           names::kPicture,      names::kDrawGraphic,  names::kCoefficientA};
    for (const char* name : order) {
        QTest::keyClick(window.focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(window.focusWidget(), Control(name)) << "expected " << name;
    }
}

TEST_F(MainWindowTest, TabSelectsTheWholeTextOfEachBox) {
    frmMain& window = OpenShown();
    Control<QLineEdit>(names::kCoefficientB)->setText(QStringLiteral("-3.5"));
    QTest::keyClick(window.focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(Control<QLineEdit>(names::kCoefficientB)->selectedText(), QStringLiteral("-3.5"));
    EXPECT_FALSE(Control<QLineEdit>(names::kCoefficientA)->hasSelectedText())
        << "each box selects only its own text";
}

TEST_F(MainWindowTest, ClickIntoABoxSelectsItsWholeText) {
    OpenShown();
    auto* c = Control<QLineEdit>(names::kCoefficientC);
    c->setText(QStringLiteral("123"));
    QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(5, c->height() / 2));
    EXPECT_TRUE(c->hasFocus());
    EXPECT_EQ(c->selectedText(), QStringLiteral("123"));
    // A second click, with the focus already there, places the caret as usual.
    QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(5, c->height() / 2));
    EXPECT_FALSE(c->hasSelectedText());
}

// The focus coming back with the window (after a message box, from the tray) is no arrival:
// the caret and the selection the user left stay as they were.
TEST_F(MainWindowTest, ReactivatedWindowKeepsTheCaretInItsBox) {
    OpenShown();
    auto* a = Control<QLineEdit>(names::kCoefficientA);
    a->setText(QStringLiteral("abc"));
    a->setCursorPosition(2);
    QFocusEvent back(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(a, &back);
    EXPECT_FALSE(a->hasSelectedText());
    EXPECT_EQ(a->cursorPosition(), 2);
}

}  // namespace
}  // namespace quadrello::test
