#pragma once

// A main window over a private application folder: config.ini and skin.ski in a temporary
// folder, the user record in another, every outside service replaced by a recorder.

#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "Recorders.h"
#include "platform/CheckBox.h"
#include "platform/core/AppFolder.h"
#include "ui/frmMain.h"

namespace quadrello::test {

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        platform::OverrideApplicationFolder(folder_.path().toStdString());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           folder_.filePath(QStringLiteral("user")));
    }
    void TearDown() override {
        window_.reset();
        platform::OverrideApplicationFolder("");
    }

    QString ConfigFile() const { return folder_.filePath(QStringLiteral("config.ini")); }

    void WriteConfig(const QByteArray& bytes) {
        QFile file(ConfigFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // The file's bytes; empty when there is none.
    QByteArray ReadConfig() const {
        QFile file(ConfigFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    bool ConfigExists() const { return QFile::exists(ConfigFile()); }

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
    MessageRecorder messages_;
    ShellRecorder shell_;
    FakeTrayIcons tray_;
    Watchdog watchdog_;
    std::unique_ptr<frmMain> window_;
};

}  // namespace quadrello::test
