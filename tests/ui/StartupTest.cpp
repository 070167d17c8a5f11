// The load action: first start, restoring the stored switches and writing them back, the
// user record.
#include <QSettings>
#include <memory>

#include "MainWindowFixture.h"
#include "SkinTesting.h"
#include "platform/Topmost.h"
#include "ui/ObjectNames.h"

namespace quadrello::test {
namespace {

using platform::CheckBox;

TEST_F(MainWindowTest, FirstStartWritesOnlyDrawGraphicOff) {
    ASSERT_FALSE(ConfigExists());
    frmMain& window = Open();
    EXPECT_EQ(ReadConfig(), QByteArray("[Function]\r\nDrawGraphic=0\r\n"));
    EXPECT_EQ(Box(names::kDrawGraphic)->Value(), CheckBox::kUnchecked);
    for (const char* name : {names::kTopmost, names::kTray, names::kMark, names::kRedrawGraphic}) {
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
        RestoreCase{"[Windows]\r\nWindowTop=1\r\n[Function]\r\nDrawGraphic=1\r\n", names::kTopmost,
                    1, "[Windows]\r\nWindowTop= 1\r\n[Function]\r\nDrawGraphic=1\r\n"},
        RestoreCase{"[Windows]\r\nWindowTop= 1\r\n[Function]\r\nDrawGraphic=1\r\n", names::kTopmost,
                    1, "[Windows]\r\nWindowTop= 1\r\n[Function]\r\nDrawGraphic=1\r\n"},
        RestoreCase{"[Windows]\r\nSetTray=1\r\n[Function]\r\nDrawGraphic=1\r\n", names::kTray, 1,
                    "[Windows]\r\nSetTray=1\r\n[Function]\r\nDrawGraphic=1\r\n"},
        RestoreCase{"[Function]\r\nDrawGraphic=1\r\nMark=1\r\n", names::kMark, 1,
                    "[Function]\r\nDrawGraphic=1\r\nMark=1\r\n"},
        // A rounded state is written back in its own form (the rounding rules: SwitchesTest).
        RestoreCase{"[Function]\r\nDrawGraphic=1\r\nMark=1.5\r\n", names::kMark, 2,
                    "[Function]\r\nDrawGraphic=1\r\nMark=2\r\n"},
        RestoreCase{"[Function]\r\nDrawGraphic=0.5\r\n", names::kDrawGraphic, 0,
                    "[Function]\r\nDrawGraphic=0\r\n"},
        // A value that is no state keeps the box as designed and writes nothing.
        RestoreCase{"[Function]\r\nDrawGraphic=3\r\n", names::kDrawGraphic, 1,
                    "[Function]\r\nDrawGraphic=3\r\n"},
        // RedrawGraphic is never restored, and its key is left alone.
        RestoreCase{"[Function]\r\nDrawGraphic=1\r\nRedrawGraphic=1\r\n", names::kRedrawGraphic, 0,
                    "[Function]\r\nDrawGraphic=1\r\nRedrawGraphic=1\r\n"}));

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
    EXPECT_EQ(Box(names::kTopmost)->Value(), CheckBox::kGreyed);
    EXPECT_FALSE(platform::IsTopmost(window_.get())) << "only state 1 is topmost";
}

// The per-user record that start-up keeps current with the program's folder and version.
std::unique_ptr<QSettings> UserRecord() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Tarvenn"), QStringLiteral("Quadrello"));
}

void ExpectUserRecordHolds(const QString& folder) {
    const auto record = UserRecord();
    EXPECT_EQ(record->value(QStringLiteral("Path")).toString(), folder);
    EXPECT_EQ(record->value(QStringLiteral("Vision")).toString(), QStringLiteral("2.0"));
}

TEST_F(MainWindowTest, UserRecordHoldsFolderAndVersion) {
    Open();
    ExpectUserRecordHolds(folder_.path());
}

TEST_F(MainWindowTest, UserRecordIsCorrectedWhenItHoldsOtherValues) {
    UserRecord()->setValue(QStringLiteral("Path"), QStringLiteral("/elsewhere"));
    UserRecord()->setValue(QStringLiteral("Vision"), QStringLiteral("1.0"));
    Open();
    ExpectUserRecordHolds(folder_.path());
}

TEST_F(MainWindowTest, SkinBesideTheExecutableIsAttached) {
    QFile skin(folder_.filePath(QStringLiteral("skin.ski")));
    ASSERT_TRUE(skin.open(QIODevice::WriteOnly));
    skin.write("QLineEdit { color: #123456; }");
    skin.close();
    Open().ensurePolished();
    EXPECT_EQ(Control(names::kCoefficientA)->palette().color(QPalette::Text),
              QColor(0x12, 0x34, 0x56));
    DetachSkin();
}

}  // namespace
}  // namespace quadrello::test
