// Runs GoogleTest inside a QApplication. Defaults the environment so that no test needs a
// display or a session bus or touches the user's configuration, and so that test discovery
// works from a bare build step too. Built once more for the tests that run under a session bus
// of their own (dbus-run-session), which keep that bus.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "platform/core/AppNames.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
#ifndef QUADRELLO_TEST_SESSION_BUS
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
#endif
    QTemporaryDir runtimeDir;  // created with mode 0700, as Qt wants it
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtimeDir.isValid()) {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
    }
    // No test stores settings or records in the real user's configuration folder.
    QTemporaryDir configHome;
    if (configHome.isValid()) {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome.path()));
    }
    quadrello::platform::SetApplicationNames();  // as the program names itself
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
