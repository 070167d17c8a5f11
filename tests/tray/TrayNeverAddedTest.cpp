// Unloading the main window when its tray box was never checked.
#include <gtest/gtest.h>

#include <QWidget>

#include "RecordingNotifyIcons.h"
#include "platform/WindowProcedure.h"
#include "tray/Tray.h"

namespace quadrello::test {
namespace {

int32_t OwnProc(QWidget*, uint32_t, uintptr_t, intptr_t) {
    return 7;
}

TEST(TrayNeverAdded, RemoveAsksNothingAndTouchesNoWindow) {
    RecordingNotifyIcons icons;
    QWidget window;
    platform::SetWindowProc(&window, &OwnProc);
    tray::RemoveTrayIcon();
    tray::RemoveTrayIcon();
    EXPECT_TRUE(icons.calls.empty()) << "there is no icon to delete";
    EXPECT_EQ(platform::GetWindowProc(&window), &OwnProc);
}

}  // namespace
}  // namespace quadrello::test
