// The load action: first start, restoring the stored switches and writing them back, the
// user record.
#include <QDir>
#include <QSettings>
#include <memory>

#include "MainWindowFixture.h"
#include "SkinTesting.h"
#include "platform/Topmost.h"
#include "ui/Controls.h"

namespace quadrello::test {
namespace {

using platform::CheckBox;

TEST_F(MainWindowTest, FirstStartWritesOnlyDrawGraphicOff) {
    ASSERT_FALSE(ConfigExists());
    frmMain& window = Open();
    EXPECT_EQ(ReadConfig(), QByteArray("[Function]\r\nDrawGraphic=0\r\n"));
    EXPECT_EQ(Box(ui::kDrawGraphic.name)->Value(), CheckBox::kUnchecked);
    for (const char* name :
         {ui::kTopmost.name, ui::kTray.name, ui::kMark.name, ui::kRedrawGraphic.name}) {
        EXPECT_EQ(Box(name)->Value(), CheckBox::kUnchecked) << name;
    }
    EXPECT_FALSE(platform::IsTopmost(&window));
    EXPECT_TRUE(tray_.made.empty()) << "no tray icon without SetTray";
}

struct RestoreCase {
    const char* stored;    // config.ini as found
    const char* box;       // the box it restores
    int state;             // the box's state afterwards
    const char* expected;  // config.ini after start-up
};

class RestoreTest : public MainWindowTest, public ::testing::WithParamInterface<RestoreCase> {};

TEST_P(RestoreTest, StoredSwitchTakesEffectAndIsWrittenBackInItsForm) {
    const RestoreCase& c = GetParam();
    WriteConfig(c.stored);
    Open();
    EXPECT_EQ(Box(c.box)->Value(), c.state);
    EXPECT_EQ(ReadConfig(), QByteArray(c.expected));
}

// Every file keeps DrawGraphic=1 so that only the key under test is written.
INSTANTIATE_TEST_SUITE_P(
    Switches, RestoreTest,
    ::testing::Values(
        RestoreCase{"[Windows]\r\nWindowTop=1\r\n[Function]\r\nDrawGraphic=1\r\n",
                    ui::kTopmost.name, 1,
                    "[Windows]\r\nWindowTop= 1\r\n[Function]\r\nDrawGraphic=1\r\n"},
        RestoreCase{"[Windows]\r\nWindowTop= 1\r\n[Function]\r\nDrawGraphic=1\r\n",
                    ui::kTopmost.name, 1,
                    "[Windows]\r\nWindowTop= 1\r\n[Function]\r\nDrawGraphic=1\r\n"},
        RestoreCase{"[Windows]\r\nSetTray=1\r\n[Function]\r\nDrawGraphic=1\r\n", ui::kTray.name, 1,
                    "[Windows]\r\nSetTray=1\r\n[Function]\r\nDrawGraphic=1\r\n"},
        RestoreCase{"[Function]\r\nDrawGraphic=1\r\nMark=1\r\n", ui::kMark.name, 1,
                    "[Function]\r\nDrawGraphic=1\r\nMark=1\r\n"},
        // A rounded state is written back in its own form (the rounding rules: SwitchesTest).
        RestoreCase{"[Function]\r\nDrawGraphic=1\r\nMark=1.5\r\n", ui::kMark.name, 2,
                    "[Function]\r\nDrawGraphic=1\r\nMark=2\r\n"},
        RestoreCase{"[Function]\r\nDrawGraphic=0.5\r\n", ui::kDrawGraphic.name, 0,
                    "[Function]\r\nDrawGraphic=0\r\n"},
        // A value that is no state keeps the box as designed and writes nothing.
        RestoreCase{"[Function]\r\nDrawGraphic=3\r\n", ui::kDrawGraphic.name, 1,
                    "[Function]\r\nDrawGraphic=3\r\n"},
        // RedrawGraphic is never restored, and its key is left alone.
        RestoreCase{"[Function]\r\nDrawGraphic=1\r\nRedrawGraphic=1\r\n", ui::kRedrawGraphic.name,
                    0, "[Function]\r\nDrawGraphic=1\r\nRedrawGraphic=1\r\n"}));

TEST_F(MainWindowTest, StoredTopmostMakesTheWindowTopmost) {
    WriteConfig("[Windows]\r\nWindowTop=1\r\n");
    EXPECT_TRUE(platform::IsTopmost(&Open()));
}

TEST_F(MainWindowTest, SwitchesAreRestoredInOrderEachWrittenBeforeTheNextIsRead) {
    // Each write-back goes through the file, so all four survive in their own forms.
    WriteConfig("[Windows]\r\nWindowTop=1.5\r\nSetTray=1\r\n[Function]\r\nMark=1\r\n");
    Open();
    EXPECT_EQ(ReadConfig(), QByteArray("[Windows]\r\nWindowTop= 2\r\nSetTray=1\r\n"
                                       "[Function]\r\nMark=1\r\nDrawGraphic=0\r\n"));
    EXPECT_EQ(Box(ui::kTopmost.name)->Value(), CheckBox::kGreyed);
    EXPECT_FALSE(platform::IsTopmost(window_.get())) << "only state 1 is topmost";
}

// The per-user record that start-up keeps current with the program's folder and version, in
// the user's configuration folder.
class UserRecordTest : public MainWindowTest {
  protected:
    std::unique_ptr<QSettings> UserRecord() const {
        return std::make_unique<QSettings>(
            UserConfigHome() + QStringLiteral("/Tarvenn/Quadrello.conf"), QSettings::IniFormat);
    }
    void ExpectUserRecordHolds(const QString& folder) const {
        const auto record = UserRecord();
        EXPECT_EQ(record->value(QStringLiteral("Path")).toString(), folder);
        EXPECT_EQ(record->value(QStringLiteral("Vision")).toString(), QStringLiteral("2.0"));
    }
};

TEST_F(UserRecordTest, HoldsFolderAndVersion) {
    Open();
    ExpectUserRecordHolds(folder_.path());
}

TEST_F(UserRecordTest, IsCorrectedWhenItHoldsOtherValues) {
    ASSERT_TRUE(QDir().mkpath(UserConfigHome() + QStringLiteral("/Tarvenn")));
    UserRecord()->setValue(QStringLiteral("Path"), QStringLiteral("/elsewhere"));
    UserRecord()->setValue(QStringLiteral("Vision"), QStringLiteral("1.0"));
    Open();
    ExpectUserRecordHolds(folder_.path());
}

// A switch that cannot be stored still takes effect, and the user is told once per run that it
// will not be remembered, and why; start-up's own write-backs say nothing.
TEST_F(MainWindowTest, SwitchThatCannotBeStoredIsSaidOnce) {
    ASSERT_TRUE(QDir(folder_.path()).mkdir(QStringLiteral("config.ini")));  // no file to write
    OpenShown();
    EXPECT_TRUE(messages_.shown.empty()) << "start-up wrote DrawGraphic back and failed silently";
    CheckBox* box = Box(ui::kTopmost.name);
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_TRUE(platform::IsTopmost(window_.get())) << "the click's action stands";
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].title, QStringLiteral("Parabolix"));
    EXPECT_TRUE(messages_.shown[0].text.startsWith(
        QString::fromUtf8("无法保存设置：设置文件的位置上不是普通文件。")))
        << messages_.shown[0].text.toStdString();
    QTest::mouseClick(Box(ui::kDrawGraphic.name), Qt::LeftButton);
    EXPECT_EQ(messages_.shown.size(), 1u) << "once per run";
}

TEST_F(MainWindowTest, SkinBesideTheExecutableIsAttached) {
    QFile skin(folder_.filePath(QStringLiteral("skin.ski")));
    ASSERT_TRUE(skin.open(QIODevice::WriteOnly));
    skin.write("QLineEdit { color: #123456; }");
    skin.close();
    Open().ensurePolished();
    EXPECT_EQ(Control(ui::kCoefficientA.name)->palette().color(QPalette::Text),
              QColor(0x12, 0x34, 0x56));
    DetachSkin();
}

}  // namespace
}  // namespace quadrello::test
