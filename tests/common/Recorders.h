#pragma once

// Stand-ins for everything the main window reaches outside the process with, and a watchdog
// that fails a test instead of letting a modal window block it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QSet>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <vector>

#include "common/FakeTrayIcons.h"
#include "platform/MessageBox.h"
#include "platform/Shell.h"

namespace quadrello::test {

struct ShownMessage {
    QString title;
    QString text;
};

class MessageRecorder final : public platform::MessageBoxService {
  public:
    MessageRecorder() { platform::SetMessageBoxService(this); }
    ~MessageRecorder() override { platform::SetMessageBoxService(nullptr); }
    void Show(QWidget*, const QString& title, const QString& text) override {
        shown.push_back({title, text});
    }
    std::vector<ShownMessage> shown;
};

class ShellRecorder final : public platform::ShellService {
  public:
    ShellRecorder() { platform::SetShellService(this); }
    ~ShellRecorder() override { platform::SetShellService(nullptr); }
    bool ProgramExists(const QString& name) const override { return installed.contains(name); }
    bool StartProgram(const QString& name) override {
        started.append(name);
        return true;
    }
    void OpenLink(const QString& link, std::function<void(bool)> taken) override {
        links.append(link);
        taken(linksOpen);
    }
    QSet<QString> installed;
    QStringList started;
    QStringList links;
    bool linksOpen = true;  // whether a mail program takes the links
};

// Closes any modal window still open after `ms` and fails the test that opened it.
class Watchdog {
  public:
    explicit Watchdog(int ms = 10000) {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, [] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                ADD_FAILURE() << "a modal window blocked the test: "
                              << modal->metaObject()->className();
                modal->close();
            }
        });
        timer_.start(ms);
    }

  private:
    QTimer timer_;
};

}  // namespace quadrello::test
