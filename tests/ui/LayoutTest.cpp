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

namespace quadrello::test {
namespace {

// Each control's kind, caption and place as the layout gives them, written out here: a wrong
// figure in the window's own tables, a wrong kind or a wrong conversion to pixels shows.
struct Placed {
    const char* name;
    const char* kind;              // class name
    const char* caption;           // text or caption; null for none
    int left, top, width, height;  // twips; auto-size labels: those of their initial caption
};

constexpr const char* kLabel = "quadrello::platform::Label";
constexpr const char* kBox = "quadrello::CoefficientBox";
constexpr const char* kButton = "QPushButton";
constexpr const char* kCheckBox = "quadrello::platform::CheckBox";

constexpr Placed kControls[] = {
    {"Label1", kLabel, "二次项系数：", 135, 270, 1080, 180},
    {"二次项系数文本框", kBox, "0", 1245, 150, 3225, 420},
    {"Label2", kLabel, "一次项系数：", 135, 840, 1080, 180},
    {"一次项系数文本框", kBox, "0", 1245, 720, 3225, 420},
    {"Label3", kLabel, "常数项系数：", 135, 1425, 1080, 180},
    {"常数项系数文本框", kBox, "0", 1245, 1305, 3225, 420},
    {"Label4", kLabel, "计算结果", 315, 1920, 720, 180},
    {"计算结果1标签", kLabel, "①=", 225, 2175, 2520, 195},
    {"计算结果2标签", kLabel, "②=", 225, 2400, 2520, 195},
    {"Delta标签", kLabel, "Δ(Delta)=", 225, 2745, 2520, 195},
    {"Label6", kLabel, "顶点坐标：", 225, 2970, 900, 180},
    {"Label7", kLabel, "X=", 1155, 2970, 180, 180},
    {"顶点坐标X标签", kLabel, "", 1350, 2970, 510, 225},
    {"Label8", kLabel, "Y=", 1995, 2970, 180, 180},
    {"顶点坐标Y标签", kLabel, "", 2190, 2970, 510, 225},
    {"lab", kLabel, "", 2970, 3165, 90, 180},
    {"计算按钮", kButton, "计 算", 3090, 2445, 855, 345},
    {"cmdOption", "quadrello::platform::WrappingButton", "选项 >>", 4080, 2265, 330, 825},
    {"picGraphic", "quadrello::platform::PictureBox", nullptr, 120, 3450, 4335, 3075},
    {"计算器按钮", kButton, "计 算 器", 4770, 150, 1005, 315},
    {"总在最前复选框", kCheckBox, "总在最前", 4770, 615, 1035, 240},
    {"托盘图标复选框", kCheckBox, "托盘图标", 4770, 915, 1035, 285},
    {"chkDrawGraphic", kCheckBox, "绘制图像", 4770, 1230, 1050, 225},
    {"chkMark", kCheckBox, "分数模式", 4740, 1620, 1020, 210},
    {"chkRedrawGraphic", kCheckBox, "重画图像", 4755, 1980, 1050, 225},
    {"联系作者按钮", kButton, "联系作者", 4815, 2475, 900, 315},
    {"关于按钮", kButton, "关于..", 4845, 2985, 855, 345},
};

// 15 twips to the pixel, rounded to the nearest.
QRect Pixels(const Placed& p) {
    return {qRound(p.left / 15.0), qRound(p.top / 15.0), qRound(p.width / 15.0),
            qRound(p.height / 15.0)};
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
    ASSERT_EQ(window_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(),
              std::size(kControls) + 8)
        << "the controls and the eight frame lines";
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
    for (const char* name : {"二次项系数文本框", "一次项系数文本框", "常数项系数文本框"}) {
        ExpectSongStandIn(Control(name), 20, name);  // 宋体 15 pt
    }
    ExpectSongStandIn(Control("计算按钮"), 14, "计算按钮: 新宋体 10.5 pt");
    ExpectSongStandIn(window_.get(), 12, "frmMain: 宋体 9 pt");
    ExpectSongStandIn(Control("Label1"), 12, "Label1, with the window's font");
}

TEST_F(MainWindowTest, OpaqueAndTransparentLabels) {
    Open();
    for (const char* name : {"Delta标签", "顶点坐标X标签", "顶点坐标Y标签", "lab"}) {
        EXPECT_TRUE(Control(name)->autoFillBackground()) << name;
    }
    for (const char* name : {"Label1", "Label4", "计算结果1标签", "计算结果2标签", "Label7"}) {
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
        EXPECT_FALSE(Control("chkMark")->isVisible());
        EXPECT_FALSE(Control("chkRedrawGraphic")->isVisible());
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
        for (const char* control : {"计算器按钮", "总在最前复选框", "托盘图标复选框",
                                    "chkDrawGraphic", "联系作者按钮", "关于按钮"}) {
            EXPECT_EQ(found.contains(QString::fromUtf8(control)), open) << control;
        }
        EXPECT_TRUE(found.contains(QString::fromUtf8("计算按钮")));
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
        {"系统计算器菜单", "系统计算器"},
        {"配置颜色菜单", "配置颜色"},
        {"作者主页菜单", "作者主页"},
        {"联系作者菜单", "联系作者"},
        {"更多软件菜单", "更多软件"},
        {"关于菜单", "关于.."},
        {"d", ""},  // the "-" caption: a bare line
        {"mnuExit", "退出"}};
    ASSERT_EQ(items.size(), 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(items[i]->objectName(), QString::fromUtf8(expected[i].first));
        EXPECT_EQ(items[i]->text(), QString::fromUtf8(expected[i].second));
        EXPECT_EQ(items[i]->isSeparator(), i == 6);
    }
}

TEST_F(MainWindowTest, FocusStartsInTheABoxWithItsTextSelected) {
    frmMain& window = OpenShown();
    auto* a = Control<QLineEdit>("二次项系数文本框");
    EXPECT_EQ(window.focusWidget(), a);
    EXPECT_EQ(a->selectedText(), QStringLiteral("0"));
}

TEST_F(MainWindowTest, TabOrderPassesOverLabelsAndHiddenBoxes) {
    frmMain& window = OpenShown();
    const char* order[] = {"一次项系数文本框", "常数项系数文本框", "计算按钮",
                           "关于按钮",         "联系作者按钮",     "总在最前复选框",
                           "计算器按钮",       "托盘图标复选框",   "cmdOption",
                           "picGraphic",       "chkDrawGraphic",   "二次项系数文本框"};
    for (const char* name : order) {
        QTest::keyClick(window.focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(window.focusWidget(), Control(name)) << "expected " << name;
    }
}

TEST_F(MainWindowTest, TabSelectsTheWholeTextOfEachBox) {
    frmMain& window = OpenShown();
    Control<QLineEdit>("一次项系数文本框")->setText(QStringLiteral("-3.5"));
    QTest::keyClick(window.focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(Control<QLineEdit>("一次项系数文本框")->selectedText(), QStringLiteral("-3.5"));
    EXPECT_FALSE(Control<QLineEdit>("二次项系数文本框")->hasSelectedText())
        << "each box selects only its own text";
}

TEST_F(MainWindowTest, ClickIntoABoxSelectsItsWholeText) {
    OpenShown();
    auto* c = Control<QLineEdit>("常数项系数文本框");
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
    auto* a = Control<QLineEdit>("二次项系数文本框");
    a->setText(QStringLiteral("abc"));
    a->setCursorPosition(2);
    QFocusEvent back(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(a, &back);
    EXPECT_FALSE(a->hasSelectedText());
    EXPECT_EQ(a->cursorPosition(), 2);
}

}  // namespace
}  // namespace quadrello::test
