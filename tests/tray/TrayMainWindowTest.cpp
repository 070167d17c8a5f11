// The main window's side of the tray: its check box switches the icon and stores SetTray, a
// minimised window hides only with the box on and a tray to come back from, and the unload
// takes the icon away.
#include <gtest/gtest.h>

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "RecordingNotifyIcons.h"
#include "platform/CheckBox.h"
#include "platform/WindowProcedure.h"
#include "platform/core/AppFolder.h"
#include "settings/Settings.h"
#include "tray/Tray.h"
#include "ui/frmMain.h"

namespace quadrello::test {
namespace {

using platform::CheckBox;

// A main window over a settings file of its own in a scratch folder.
class MainWindowTray : public ::testing::Test {
  protected:
    void SetUp() override {
        QStandardPaths::setTestModeEnabled(true);  // the user record goes to a test location
        ASSERT_TRUE(folder.isValid());
        platform::OverrideApplicationFolder(folder.path().toStdString());
    }
    void TearDown() override { platform::OverrideApplicationFolder(std::string()); }

    void WriteConfig(const char* text) {
        QFile file(QString::fromStdString(ConfigPath()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    static CheckBox* TrayBox(frmMain& window) {
        auto* box = window.findChild<CheckBox*>(QStringLiteral("托盘图标复选框"));
        EXPECT_NE(box, nullptr);
        return box;
    }

    static std::string StoredSetTray() { return ReadSetting("Windows", "SetTray", ConfigPath()); }

    QTemporaryDir folder;
};

TEST_F(MainWindowTray, TheBoxSwitchesTheIconAndStoresItsState) {
    RecordingNotifyIcons icons;
    frmMain window;
    const platform::WindowProc own = platform::GetWindowProc(&window);
    ASSERT_TRUE(icons.calls.empty()) << "no icon without SetTray";

    TrayBox(window)->click();
    EXPECT_EQ(icons.Commands(), (std::vector<uint32_t>{platform::kNimAdd, platform::kNimModify}));
    EXPECT_EQ(icons.calls[0].data.hWnd, &window);
    EXPECT_FALSE(icons.calls[0].data.hIcon.isNull()) << "the application icon";
    EXPECT_EQ(platform::TipText(icons.calls[1].data.szTip),
              QString::fromUtf8("Quadrello\r\n作者：Tarvenn"));
    EXPECT_EQ(platform::GetWindowProc(&window), &tray::TrayWindowProc);
    EXPECT_EQ(StoredSetTray(), "1");

    TrayBox(window)->click();
    EXPECT_EQ(icons.calls.back().command, platform::kNimDelete);
    EXPECT_EQ(platform::GetWindowProc(&window), own);
    EXPECT_EQ(StoredSetTray(), "0");
}

TEST_F(MainWindowTray, StoredSetTrayPutsTheIconInAtStartAndUnloadTakesItOut) {
    WriteConfig("[Windows]\r\nSetTray=1\r\n");
    RecordingNotifyIcons icons;
    {
        frmMain window;
        EXPECT_EQ(TrayBox(window)->Value(), CheckBox::kChecked);
        EXPECT_EQ(icons.Commands(),
                  (std::vector<uint32_t>{platform::kNimAdd, platform::kNimModify}));
        EXPECT_EQ(StoredSetTray(), "1");
        window.show();
        window.close();
        EXPECT_EQ(icons.calls.back().command, platform::kNimDelete);
        EXPECT_EQ(platform::GetWindowProc(&window), &platform::DefaultWindowProc);
    }
}

// Minimising: hidden only with the box on and a tray host present.
struct Minimise {
    const char* name;
    bool boxOn;
    bool trayHost;
    bool hides;
};

void PrintTo(const Minimise& m, std::ostream* os) {
    *os << m.name;
}

class MainWindowMinimise : public MainWindowTray, public ::testing::WithParamInterface<Minimise> {};

TEST_P(MainWindowMinimise, HidesOnlyWhereTheIconCanBringItBack) {
    const Minimise m = GetParam();
    RecordingNotifyIcons icons(m.trayHost);
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
        platform::SendWindowMessage(&window, tray::kTrayCallbackMessage, 0,
                                    platform::kIconLeftButtonUp);
        EXPECT_TRUE(window.isVisible());
        EXPECT_FALSE(window.isMinimized());
    }
    window.close();
}

INSTANTIATE_TEST_SUITE_P(MainWindowTray, MainWindowMinimise,
                         ::testing::Values(Minimise{"BoxOnWithTray", true, true, true},
                                           Minimise{"BoxOnNoTray", true, false, false},
                                           Minimise{"BoxOffWithTray", false, true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quadrello::test
