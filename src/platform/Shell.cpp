#include "platform/Shell.h"

#include <QProcess>
#include <QStandardPaths>
#include <utility>

#include "platform/DesktopShell.h"

namespace quadrello::platform {

namespace {

ShellService* replacement = nullptr;

ShellService& Current() {
    return replacement != nullptr ? *replacement : DesktopShell();
}

}  // namespace

bool SearchPathShell::ProgramExists(const QString& name) const {
    return !QStandardPaths::findExecutable(name).isEmpty();
}

bool SearchPathShell::StartProgram(const QString& name) {
    const QString path = QStandardPaths::findExecutable(name);
    return !path.isEmpty() && QProcess::startDetached(path, {});
}

void SetShellService(ShellService* service) {
    replacement = service;
}

bool StartSystemCalculator() {
    ShellService& shell = Current();
    for (const QString& program : CalculatorPrograms()) {
        if (shell.ProgramExists(program)) {
            return shell.StartProgram(program);
        }
    }
    return false;
}

void OpenLink(const QString& link, std::function<void(bool taken)> taken) {
    Current().OpenLink(link, std::move(taken));
}

}  // namespace quadrello::platform
