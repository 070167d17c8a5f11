// The compute command in the window: the chkMark gate, the five labels, the plot, the
// messages and what they leave alone, focus and selection.
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "MainWindowFixture.h"
#include "graph/Twips.h"
#include "platform/Label.h"
#include "platform/PictureBox.h"
#include "ui/Controls.h"

namespace quadrello::test {
namespace {

using platform::CheckBox;

constexpr const char* kLabels[] = {ui::kDelta.name, ui::kResult1.name, ui::kResult2.name,
                                   ui::kVertexX.name, ui::kVertexY.name};

class ComputeTest : public MainWindowTest {
  protected:
    // Starts with the gate and drawing on, as the shipped config.ini has them.
    frmMain& OpenReady() {
        WriteConfig("[Function]\r\nDrawGraphic=1\r\nMark=1\r\n");
        return OpenShown();
    }

    void Type(const char* a, const char* b, const char* c) {
        Control<QLineEdit>(ui::kCoefficientA.name)->setText(QString::fromUtf8(a));
        Control<QLineEdit>(ui::kCoefficientB.name)->setText(QString::fromUtf8(b));
        Control<QLineEdit>(ui::kCoefficientC.name)->setText(QString::fromUtf8(c));
    }

    void ClickCompute() {
        QTest::mouseClick(Control<QPushButton>(ui::kCompute.name), Qt::LeftButton);
    }
    // The button's click without the focus that a mouse click gives the button.
    void RunCompute() { Control<QPushButton>(ui::kCompute.name)->click(); }

    QStringList Labels() const {
        QStringList texts;
        for (const char* name : kLabels) {
            texts << Control<platform::Label>(name)->Caption();
        }
        return texts;
    }

    platform::PictureBox* Picture() const {
        return Control<platform::PictureBox>(ui::kPicture.name);
    }
};

struct Example {
    const char* a;
    const char* b;
    const char* c;
    const char* labels[5];
};

class WorkedExampleTest : public ComputeTest, public ::testing::WithParamInterface<Example> {};

TEST_P(WorkedExampleTest, LabelsShowTheResults) {
    const Example& e = GetParam();
    OpenReady();
    Type(e.a, e.b, e.c);
    ClickCompute();
    QStringList expected;
    for (const char* text : e.labels) {
        expected << QString::fromUtf8(text);
    }
    EXPECT_EQ(Labels(), expected);
    EXPECT_TRUE(messages_.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Examples, WorkedExampleTest,
    // The labels in their order; one example with an empty second line. The number rules
    // themselves are the solver's tables.
    ::testing::Values(Example{"1", "-3", "2", {"Δ(Delta)=1", "①=2.", "②=1.", "1.5", "-0.25"}},
                      Example{"1", "0", "1", {"Δ(Delta)=-4", "无实数根", "", "0.", "1."}}));

TEST_F(ComputeTest, DesignedCaptionsBeforeTheFirstComputation) {
    OpenReady();
    EXPECT_EQ(Labels(), (QStringList{QString::fromUtf8("Δ(Delta)="), QString::fromUtf8("①="),
                                     QString::fromUtf8("②="), QString(), QString()}));
}

TEST_F(ComputeTest, ClosedGateHasNoVisibleEffect) {
    WriteConfig("[Function]\r\nDrawGraphic=1\r\n");  // no Mark: the gate stays 0
    frmMain& window = OpenShown();
    Control<QLineEdit>(ui::kCoefficientB.name)->setFocus();
    Type("1", "-3", "2");
    const QStringList before = Labels();
    const QImage picture = Picture()->Picture();
    RunCompute();
    EXPECT_EQ(Labels(), before);
    EXPECT_EQ(Picture()->Picture(), picture);
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(window.focusWidget(), Control<QWidget>(ui::kCoefficientB.name));
}

// Enter (and the keypad's Enter) on a focused push button presses it.
TEST_F(ComputeTest, EnterPressesTheFocusedButton) {
    OpenReady();
    Type("1", "-3", "2");
    QPushButton* compute = Control<QPushButton>(ui::kCompute.name);
    compute->setFocus();
    QTest::keyClick(compute, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(Labels()[0], QString::fromUtf8("Δ(Delta)=1"));

    QPushButton* option = Control<QPushButton>(ui::kOption.name);
    option->setFocus();
    QTest::keyClick(option, Qt::Key_Return);
    EXPECT_EQ(option->text(), QString::fromUtf8("选项<<"));
}

// A result too wide for its label ends in an ellipsis, carries the whole text as its tooltip,
// and is copied whole.
TEST_F(ComputeTest, ResultsTooWideAreCutVisiblyAndCopiedWhole) {
    struct Case {
        const char* a;
        const char* b;
        const char* c;
        const char* label;
        const char* whole;
    };
    OpenReady();
    for (const Case& c :
         {Case{"1", "0.2", "0.01", ui::kDelta.name, "Δ(Delta)=6.93889390390723E-18"},
          Case{"2", "3", "-1", ui::kVertexY.name, "-2.125"},
          Case{"3", "1", "-1", ui::kVertexX.name, "-0.166667"}}) {
        Type(c.a, c.b, c.c);
        RunCompute();
        auto* label = Control<platform::Label>(c.label);
        const QString whole = QString::fromUtf8(c.whole);
        EXPECT_EQ(label->Caption(), whole) << c.label;
        EXPECT_TRUE(label->text().endsWith(QChar(0x2026))) << label->text().toStdString();
        EXPECT_TRUE(whole.startsWith(label->text().chopped(1))) << label->text().toStdString();
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width());
        EXPECT_EQ(label->toolTip(), whole);
        label->setFocus();
        QTest::keySequence(label, QKeySequence::Copy);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), whole) << c.label;
    }
    Type("1", "-3", "2");
    RunCompute();
    EXPECT_EQ(Control<platform::Label>(ui::kDelta.name)->text(), QString::fromUtf8("Δ(Delta)=1"));
    EXPECT_TRUE(Control<platform::Label>(ui::kDelta.name)->toolTip().isEmpty()) << "fits: no tip";
}

TEST_F(ComputeTest, EnterInACoefficientBoxComputes) {
    OpenReady();
    Type("1", "-3", "2");
    QLineEdit* c = Control<QLineEdit>(ui::kCoefficientC.name);
    c->setFocus();
    QTest::keyClick(c, Qt::Key_Return);
    EXPECT_EQ(Labels().first(), QString::fromUtf8("Δ(Delta)=1"));
}

struct MessageCase {
    const char* a;
    const char* b;
    const char* c;
    bool gateOpen;
    const char* message;
};

class MessageTest : public ComputeTest, public ::testing::WithParamInterface<MessageCase> {};

TEST_P(MessageTest, MessageChangesNothing) {
    const MessageCase& m = GetParam();
    WriteConfig(m.gateOpen ? "[Function]\r\nDrawGraphic=1\r\nMark=1\r\n"
                           : "[Function]\r\nDrawGraphic=1\r\n");
    frmMain& window = OpenShown();
    // A first result, so that there are labels and a plot to keep.
    if (m.gateOpen) {
        Type("1", "-3", "2");
        ClickCompute();
    }
    QLineEdit* b = Control<QLineEdit>(ui::kCoefficientB.name);
    b->setFocus();
    Type(m.a, m.b, m.c);
    const QStringList labels = Labels();
    const QImage picture = Picture()->Picture();
    const double left = Picture()->ScaleLeft();

    RunCompute();
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].title, QStringLiteral("Parabolix"));
    EXPECT_EQ(messages_.shown[0].text, QString::fromUtf8(m.message));
    EXPECT_EQ(Labels(), labels);
    EXPECT_EQ(Picture()->Picture(), picture);
    EXPECT_EQ(Picture()->ScaleLeft(), left);
    EXPECT_EQ(window.focusWidget(), b) << "the focus stays where it was";
}

constexpr char kZero[] = "二次项系数不能为零！";
constexpr char kIncomplete[] = "请将上面信息填写完整！";

INSTANTIATE_TEST_SUITE_P(Messages, MessageTest,
                         // Each message once; which texts give it is the solver's table.
                         ::testing::Values(MessageCase{"0", "0", "0", true, kZero},
                                           // The messages come before the gate.
                                           MessageCase{"1", "", "1", false, kIncomplete},
                                           MessageCase{"1e400", "1", "1", true, "数值超出范围！"}));

TEST_F(ComputeTest, DrawingOnPlotsTheParabolaInItsWindow) {
    OpenReady();
    Type("1", "-3", "2");
    ClickCompute();
    platform::PictureBox* picture = Picture();
    EXPECT_DOUBLE_EQ(picture->ScaleLeft(), -0.25);
    EXPECT_DOUBLE_EQ(picture->ScaleTop(), 2.4);
    EXPECT_DOUBLE_EQ(picture->ScaleLeft() + picture->ScaleWidth(), 3);
    const QImage image = picture->Picture();
    int red = 0;
    int blue = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            red += pixel == qRgb(255, 0, 0);
            blue += pixel == qRgb(0, 0, 255);
        }
    }
    EXPECT_GT(red, image.width()) << "the curve crosses the whole area";
    EXPECT_GT(blue, image.width()) << "both axes";
}

TEST_F(ComputeTest, DrawingOffKeepsThePictureAndItsCoordinates) {
    OpenReady();
    Type("1", "-3", "2");
    ClickCompute();
    const QImage picture = Picture()->Picture();
    const double left = Picture()->ScaleLeft();
    const double top = Picture()->ScaleTop();

    QTest::mouseClick(Box(ui::kDrawGraphic.name), Qt::LeftButton);
    ASSERT_EQ(Box(ui::kDrawGraphic.name)->Value(), CheckBox::kUnchecked);
    Type("2", "3", "-1");
    ClickCompute();
    EXPECT_EQ(Labels().first(), QString::fromUtf8("Δ(Delta)=17")) << "the labels still change";
    EXPECT_EQ(Picture()->Picture(), picture);
    EXPECT_EQ(Picture()->ScaleLeft(), left);
    EXPECT_EQ(Picture()->ScaleTop(), top);
}

TEST_F(ComputeTest, NewResultClearsTheOldPlot) {
    OpenReady();
    Type("1", "-3", "2");
    ClickCompute();
    const QImage first = Picture()->Picture();
    Type("-1", "0", "4");
    ClickCompute();
    EXPECT_NE(Picture()->Picture(), first);
    EXPECT_DOUBLE_EQ(Picture()->ScaleTop(), 5) << "k = c = 4 with a < 0: top k/4 + k";
}

TEST_F(ComputeTest, FocusReturnsToTheABoxWithItsTextSelected) {
    frmMain& window = OpenReady();
    Type("1", "-3", "2");
    QLineEdit* c = Control<QLineEdit>(ui::kCoefficientC.name);
    c->setFocus();
    RunCompute();
    QLineEdit* a = Control<QLineEdit>(ui::kCoefficientA.name);
    EXPECT_EQ(window.focusWidget(), a);
    EXPECT_EQ(a->selectedText(), QStringLiteral("1"));
}

TEST_F(ComputeTest, FocusStaysInTheABoxWithItsTextSelectedAfterEnterThere) {
    OpenReady();
    Type("12", "-3", "2");
    QLineEdit* a = Control<QLineEdit>(ui::kCoefficientA.name);
    a->setFocus();
    a->setCursorPosition(1);
    QTest::keyClick(a, Qt::Key_Return);
    EXPECT_TRUE(a->hasFocus());
    EXPECT_EQ(a->selectedText(), QStringLiteral("12"));
}

TEST_F(ComputeTest, PointerMovesWriteTheCoordinateLabel) {
    OpenReady();
    platform::PictureBox* picture = Picture();
    QLabel* lab = Control<QLabel>(ui::kPointer.name);
    EXPECT_TRUE(lab->text().isEmpty());
    const int border = platform::PictureBox::kBorderWidth;
    // Before any plot: twips from the drawing area's top-left corner.
    QTest::mouseMove(picture, QPoint(border + 82, border + 40));
    EXPECT_EQ(lab->text(), QStringLiteral("1230.   600."));
    EXPECT_EQ(lab->width(), lab->fontMetrics().horizontalAdvance(lab->text()))
        << "the label is as wide as its caption";

    Type("1", "-3", "2");
    ClickCompute();
    QTest::mouseMove(picture, QPoint(border, border));
    EXPECT_EQ(lab->text(), QStringLiteral("-0.3   2.4"));
}

// A readout longer than its room ends in "…" with the whole caption as its tip, and never
// reaches past the divider into the options panel: with the panel open, and after the panel
// closed while the pointer stayed where it was.
TEST_F(ComputeTest, ALongReadoutEndsBeforeTheDividerWhetherThePanelIsOpenOrNot) {
    frmMain& window = OpenReady();
    Type("1", "-2e6", "0");
    ClickCompute();
    window.ToggleOptions();
    const int border = platform::PictureBox::kBorderWidth;
    QTest::mouseMove(Picture(), QPoint(border + 3, border + 3));
    auto* lab = Control<platform::Label>(ui::kPointer.name);
    const int divider = graph::TwipsToPixels(ui::kDivider.x1);
    for (const char* panel : {"open", "closed", "open again"}) {
        EXPECT_LE(lab->geometry().right(), divider) << panel;
        EXPECT_TRUE(lab->text().endsWith(QChar(0x2026)))
            << panel << ": " << lab->text().toStdString();
        EXPECT_EQ(lab->toolTip(), lab->Caption()) << panel;
        EXPECT_GT(lab->fontMetrics().horizontalAdvance(lab->Caption()), lab->width()) << panel;
        window.ToggleOptions();
    }
}

}  // namespace
}  // namespace quadrello::test
