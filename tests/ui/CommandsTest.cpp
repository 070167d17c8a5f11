// The switches' click actions, the options panel, the small commands, minimising with the
// tray icon on, and unloading.
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>

#include "MainWindowFixture.h"
#include "platform/PictureBox.h"
#include "platform/Topmost.h"
#include "ui/Controls.h"

namespace quadrello::test {
namespace {

using platform::CheckBox;

struct ClickCase {
    const char* box;
    const char* afterFirstClick;   // config.ini after one click
    const char* afterSecondClick;  // and after another
};

class SwitchClickTest : public MainWindowTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(SwitchClickTest, ClickStoresTheSwitchAtOnce) {
    const ClickCase& c = GetParam();
    WriteConfig("[Function]\r\nDrawGraphic=1\r\n");
    OpenShown();
    CheckBox* box = Box(c.box);
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EQ(ReadConfig(), QByteArray(c.afterFirstClick));
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EQ(ReadConfig(), QByteArray(c.afterSecondClick));
}

INSTANTIATE_TEST_SUITE_P(
    Switches, SwitchClickTest,
    ::testing::Values(ClickCase{ui::kTopmost.name,
                                "[Function]\r\nDrawGraphic=1\r\n[Windows]\r\nWindowTop= 1\r\n",
                                "[Function]\r\nDrawGraphic=1\r\n[Windows]\r\nWindowTop= 0\r\n"},
                      ClickCase{ui::kTray.name,
                                "[Function]\r\nDrawGraphic=1\r\n[Windows]\r\nSetTray=1\r\n",
                                "[Function]\r\nDrawGraphic=1\r\n[Windows]\r\nSetTray=0\r\n"},
                      ClickCase{ui::kDrawGraphic.name, "[Function]\r\nDrawGraphic=0\r\n",
                                "[Function]\r\nDrawGraphic=1\r\n"}));

TEST_F(MainWindowTest, TopmostFollowsItsBoxInPlace) {
    frmMain& window = OpenShown();
    const QRect place = window.geometry();
    CheckBox* box = Box(ui::kTopmost.name);
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_TRUE(platform::IsTopmost(&window));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.geometry(), place);
    EXPECT_TRUE(box->hasFocus()) << "the window was not re-created";
    box->SetValue(CheckBox::kGreyed);
    EXPECT_FALSE(platform::IsTopmost(&window)) << "a greyed box is not on";
    EXPECT_EQ(ReadConfig(),
              QByteArray("[Function]\r\nDrawGraphic=0\r\n[Windows]\r\nWindowTop= 2\r\n"));
}

TEST_F(MainWindowTest, CheckedBoxesUncheckOnClickAndGreyedOnesCheck) {
    OpenShown();
    CheckBox* box = Box(ui::kDrawGraphic.name);
    box->SetValue(CheckBox::kGreyed);
    EXPECT_EQ(ReadConfig(), QByteArray("[Function]\r\nDrawGraphic=2\r\n"));
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EQ(box->Value(), CheckBox::kChecked);
    EXPECT_EQ(ReadConfig(), QByteArray("[Function]\r\nDrawGraphic=1\r\n"));
}

TEST_F(MainWindowTest, HiddenBoxesStoreTheirKeysWhenTheirStateChanges) {
    Open();
    Box(ui::kRedrawGraphic.name)->SetValue(CheckBox::kChecked);
    Box(ui::kMark.name)->SetValue(CheckBox::kChecked);
    EXPECT_EQ(ReadConfig(),
              QByteArray("[Function]\r\nDrawGraphic=0\r\nRedrawGraphic=1\r\nMark=1\r\n"));
}

TEST_F(MainWindowTest, TwoOptionClicksGiveBackTheWidths) {
    frmMain& window = OpenShown();
    auto* option = Control<QPushButton>(ui::kOption.name);
    auto* picture = Control(ui::kPicture.name);
    QTest::mouseClick(option, Qt::LeftButton);
    EXPECT_EQ(option->text(), QString::fromUtf8("选项<<"));
    EXPECT_EQ(window.width(), 392) << "outer 5965 twips: client 5875";
    EXPECT_EQ(picture->width(), 379) << "5685 twips";
    QTest::mouseClick(option, Qt::LeftButton);
    EXPECT_EQ(option->text(), QString::fromUtf8("选项 >>"));
    EXPECT_EQ(window.width(), 308);
    EXPECT_EQ(picture->width(), 289);
}

TEST_F(MainWindowTest, OptionsPanelStateIsTheCaptionExactly) {
    frmMain& window = OpenShown();
    auto* option = Control<QPushButton>(ui::kOption.name);
    option->setText(QStringLiteral("选项>>"));  // not the collapsed caption: counts as open
    window.ToggleOptions();
    EXPECT_EQ(option->text(), QString::fromUtf8("选项 >>"));
    EXPECT_EQ(window.width(), 308);
    EXPECT_EQ(Control(ui::kPicture.name)->width(), 289 - 90) << "narrowed from its present width";
}

TEST_F(MainWindowTest, OpenPanelShowsEveryPanelControl) {
    frmMain& window = OpenShown();
    window.ToggleOptions();
    for (const char* name :
         {ui::kCalculator.name, ui::kTopmost.name, ui::kTray.name, ui::kDrawGraphic.name,
          ui::kContact.name, ui::kAbout.name, "Line1", ui::kPicture.name}) {
        const QRect r = Control(name)->geometry();
        EXPECT_LE(r.right(), window.width() - 1) << name;
    }
}

TEST_F(MainWindowTest, WideningKeepsThePlot) {
    WriteConfig("[Function]\r\nDrawGraphic=1\r\nMark=1\r\n");
    frmMain& window = OpenShown();
    QTest::mouseClick(Control<QPushButton>(ui::kCompute.name),
                      Qt::LeftButton);  // 0, 0, 0: a message
    Control<QLineEdit>(ui::kCoefficientA.name)->setText(QStringLiteral("1"));
    QTest::mouseClick(Control<QPushButton>(ui::kCompute.name), Qt::LeftButton);
    auto* picture = Control<platform::PictureBox>(ui::kPicture.name);
    const QImage before = picture->Picture();
    const double left = picture->ScaleLeft();
    window.ToggleOptions();
    EXPECT_EQ(picture->Picture().copy(before.rect()), before);
    EXPECT_EQ(picture->ScaleLeft(), left);
}

TEST_F(MainWindowTest, CalculatorStartsTheFirstInstalledOne) {
    OpenShown();
    shell_.installed = {QStringLiteral("galculator"), QStringLiteral("kcalc")};
    QTest::mouseClick(Control<QPushButton>(ui::kCalculator.name), Qt::LeftButton);
    EXPECT_EQ(shell_.started, QStringList{QStringLiteral("kcalc")});
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(MainWindowTest, NoCalculatorGivesAClearMessage) {
    frmMain& window = OpenShown();
    QTest::mouseClick(Control<QPushButton>(ui::kCalculator.name), Qt::LeftButton);
    EXPECT_TRUE(shell_.started.isEmpty());
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].title, QStringLiteral("Parabolix"));
    EXPECT_EQ(messages_.shown[0].text, QString::fromUtf8("无法启动系统计算器。"));
    EXPECT_EQ(ReadConfig(), QByteArray("[Function]\r\nDrawGraphic=0\r\n")) << "nothing stored";
    EXPECT_EQ(window.focusWidget(), Control(ui::kCalculator.name)) << "clicked, then left alone";
}

TEST_F(MainWindowTest, ContactButtonAndMenuOpenTheFeedbackMail) {
    frmMain& window = OpenShown();
    QTest::mouseClick(Control<QPushButton>(ui::kContact.name), Qt::LeftButton);
    window.TrayMenu()->findChild<QAction*>(QString::fromUtf8(ui::kMenuContact.name))->trigger();
    const QString link = QString::fromUtf8("mailto:tarvenn@example.com?subject=Parabolix 意见反馈");
    EXPECT_EQ(shell_.links, (QStringList{link, link}));
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(MainWindowTest, WithoutAMailProgramTheAddressIsShown) {
    OpenShown();
    shell_.linksOpen = false;
    const QByteArray config = ReadConfig();
    QTest::mouseClick(Control<QPushButton>(ui::kContact.name), Qt::LeftButton);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].title, QStringLiteral("Parabolix"));
    EXPECT_TRUE(messages_.shown[0].text.endsWith(QStringLiteral("tarvenn@example.com")))
        << messages_.shown[0].text.toStdString();
    EXPECT_EQ(ReadConfig(), config) << "nothing else changes";
}

TEST_F(MainWindowTest, MenuItemsWithoutActionDoNothing) {
    frmMain& window = OpenShown();
    const QByteArray config = ReadConfig();
    for (const char* name : {ui::kMenuCalculator.name, ui::kMenuColours.name,
                             ui::kMenuHomePage.name, ui::kMenuMoreSoftware.name}) {
        window.TrayMenu()->findChild<QAction*>(QString::fromUtf8(name))->trigger();
    }
    EXPECT_TRUE(shell_.started.isEmpty());
    EXPECT_TRUE(shell_.links.isEmpty());
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(ReadConfig(), config);
}

TEST_F(MainWindowTest, ExitUnloadsAndRemovesTheIcon) {
    WriteConfig("[Windows]\r\nSetTray=1\r\n");
    frmMain& window = OpenShown();
    QSignalSpy unloaded(&window, &frmMain::unloaded);
    window.TrayMenu()->findChild<QAction*>(QString::fromUtf8(ui::kMenuExit.name))->trigger();
    EXPECT_EQ(unloaded.count(), 1);
    EXPECT_FALSE(window.isVisible());
    ASSERT_FALSE(tray_.made.empty());
    EXPECT_EQ(tray_.Shown(), 0);
}

TEST_F(MainWindowTest, ClosingWithoutAnIconIsQuiet) {
    frmMain& window = OpenShown();
    QSignalSpy unloaded(&window, &frmMain::unloaded);
    EXPECT_TRUE(window.close());
    EXPECT_EQ(unloaded.count(), 1);
    EXPECT_TRUE(tray_.made.empty());
    EXPECT_TRUE(messages_.shown.empty());
}

}  // namespace
}  // namespace quadrello::test
