// The main window's side of the tray: its check box switches the icon and stores SetTray, a
// minimised window hides only with the box on and a tray to come back from, and the unload
// takes the icon away.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "common/FakeTrayIcons.h"
#include "common/NamedCase.h"
#include "platform/CheckBox.h"
#include "platform/core/AppFolder.h"
#include "settings/Settings.h"
#include "tray/Tray.h"
#include "ui/Controls.h"
#include "ui/frmMain.h"

namespace quadrello::test {
namespace {

using platform::CheckBox;

// A main window over a settings file of its own in a scratch folder.
class MainWindowTray : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        platform::OverrideApplicationFolder(folder.path().toStdString());
        WriteConfig("");  // each test its own settings, beside the program
    }
    void TearDown() override { platform::OverrideApplicationFolder(std::string()); }

    // A config.ini beside the program (the portable layout), which ConfigPath() then names.
    void WriteConfig(const char* text) {
        QFile file(folder.filePath(QStringLiteral("config.ini")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    static CheckBox* TrayBox(frmMain& window) {
        auto* box = window.findChild<CheckBox*>(QString::fromUtf8(ui::kTray.name));
        EXPECT_NE(box, nullptr);
        return box;
    }

    static std::string StoredSetTray() { return ReadSetting("Windows", "SetTray", ConfigPath()); }

    QTemporaryDir folder;
};

TEST_F(MainWindowTray, TheBoxSwitchesTheIconAndStoresItsState) {
    FakeTrayIcons icons;
    frmMain window;
    ASSERT_TRUE(icons.made.empty()) << "no icon without SetTray";

    TrayBox(window)->click();
    ASSERT_EQ(icons.Shown(), 1);
    EXPECT_FALSE(icons.Last()->icon.isNull()) << "the application icon";
    EXPECT_EQ(icons.Last()->menu, window.TrayMenu());
    EXPECT_EQ(icons.Last()->tip, QString::fromUtf8("Quadrello\r\n作者：Tarvenn"));
    EXPECT_EQ(StoredSetTray(), "1");

    TrayBox(window)->click();
    EXPECT_EQ(icons.Shown(), 0);
    EXPECT_EQ(StoredSetTray(), "0");
}

TEST_F(MainWindowTray, StoredSetTrayPutsTheIconInAtStartAndUnloadTakesItOut) {
    WriteConfig("[Windows]\r\nSetTray=1\r\n");
    FakeTrayIcons icons;
    frmMain window;
    EXPECT_EQ(TrayBox(window)->Value(), CheckBox::kChecked);
    EXPECT_EQ(icons.Shown(), 1);
    EXPECT_EQ(StoredSetTray(), "1");
    window.show();
    window.close();
    EXPECT_EQ(icons.Shown(), 0);
}

// A window hidden into the tray comes back when the last host goes away, and hides again at
// the next minimise once a host is back.
TEST_F(MainWindowTray, AWindowHiddenInTheTrayComesBackWhenTheLastHostGoes) {
    FakeTrayIcons icons;
    frmMain window;
    window.show();
    TrayBox(window)->click();
    for (int round = 0; round < 2; ++round) {
        window.setWindowState(window.windowState() | Qt::WindowMinimized);
        ASSERT_FALSE(window.isVisible()) << "round " << round;
        icons.host = false;
        emit icons.Last()->hostsChanged();
        QCoreApplication::processEvents();
        EXPECT_TRUE(window.isVisible()) << "round " << round;
        EXPECT_FALSE(window.isMinimized()) << "round " << round;
        icons.host = true;
        emit icons.Last()->hostsChanged();
        QCoreApplication::processEvents();
        EXPECT_TRUE(window.isVisible()) << "a host that comes back leaves a shown window alone";
    }
    window.close();
}

// Minimising: hidden only with the box on and a tray host present.
struct Minimise : NamedCase {
    bool boxOn;
    bool trayHost;
    bool hides;
};

class MainWindowMinimise : public MainWindowTray, public ::testing::WithParamInterface<Minimise> {};

TEST_P(MainWindowMinimise, HidesOnlyWhereTheIconCanBringItBack) {
    const Minimise m = GetParam();
    FakeTrayIcons icons(m.trayHost);
    frmMain window;
    window.show();
    if (m.boxOn) {
        TrayBox(window)->click();
    }
    EXPECT_EQ(StoredSetTray(), m.boxOn ? "1" : "")
        << "the box stores its value with or without a tray";
    // As the window manager minimises it (showMinimized() would show it again afterwards).
    window.setWindowState(window.windowState() | Qt::WindowMinimized);
    EXPECT_TRUE(window.isMinimized());
    EXPECT_EQ(window.isVisible(), !m.hides);

    if (m.hides) {
        // One left click on the icon shows it again, in its normal state.
        QCoreApplication::processEvents();  // the window system's reports of the minimising
        emit icons.Last()->leftReleased();
        QCoreApplication::processEvents();
        EXPECT_TRUE(window.isVisible());
        EXPECT_FALSE(window.isMinimized());
    }
    window.close();
}

INSTANTIATE_TEST_SUITE_P(MainWindowTray, MainWindowMinimise,
                         ::testing::Values(Minimise{"BoxOnWithTray", true, true, true},
                                           Minimise{"BoxOnNoTray", true, false, false},
                                           Minimise{"BoxOffWithTray", false, true, false}),
                         CaseName);

}  // namespace
}  // namespace quadrello::test
