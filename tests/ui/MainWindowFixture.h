#pragma once

// A main window over a private application folder: config.ini and skin.ski in a temporary
// folder, the user's configuration folder (own config.ini, user record) inside it, every
// outside service replaced by a recorder.

#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "common/Recorders.h"
#include "platform/CheckBox.h"
#include "platform/core/AppFolder.h"
#include "settings/Settings.h"
#include "ui/frmMain.h"

namespace quadrello::test {

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        platform::OverrideApplicationFolder(folder_.path().toStdString());
        oldConfigHome_ = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(UserConfigHome()));
    }
    void TearDown() override {
        window_.reset();
        platform::OverrideApplicationFolder("");
        qputenv("XDG_CONFIG_HOME", oldConfigHome_);
    }

    QString UserConfigHome() const { return folder_.filePath(QStringLiteral("user")); }

    // The portable layout: a config.ini beside the program.
    void WriteConfig(const QByteArray& bytes) {
        QFile file(folder_.filePath(QStringLiteral("config.ini")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // The bytes of the settings file in use (beside the program when there is one there, else
    // the user's own); empty when there is none.
    QByteArray ReadConfig() const {
        QFile file(QString::fromStdString(ConfigPath()));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    bool ConfigExists() const { return QFile::exists(QString::fromStdString(ConfigPath())); }

    frmMain& Open() {
        window_ = std::make_unique<frmMain>();
        return *window_;
    }

    // Opens the window and shows it, active, as the user sees it.
    frmMain& OpenShown() {
        frmMain& window = Open();
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        return window;
    }

    template <typename Widget = QWidget>
    Widget* Control(const char* name) const {
        auto* widget = window_->findChild<Widget*>(QString::fromUtf8(name));
        EXPECT_NE(widget, nullptr) << "no control " << name;
        return widget;
    }

    platform::CheckBox* Box(const char* name) const { return Control<platform::CheckBox>(name); }

    QTemporaryDir folder_;
    QByteArray oldConfigHome_;
    MessageRecorder messages_;
    ShellRecorder shell_;
    FakeTrayIcons tray_;
    Watchdog watchdog_;
    std::unique_ptr<frmMain> window_;
};

}  // namespace quadrello::test
