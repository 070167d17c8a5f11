// The Windows side of the shell: calc.exe from the system folder on the search path, and links
// through the shell (ShellExecute), which says at once whether a program took them.
#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <utility>

#include "platform/DesktopShell.h"
#include "platform/Shell.h"

namespace quadrello::platform {
namespace {

class WindowsShellService final : public ShellService {
  public:
    bool ProgramExists(const QString& name) const override {
        return !QStandardPaths::findExecutable(name).isEmpty();
    }
    bool StartProgram(const QString& name) override {
        const QString path = QStandardPaths::findExecutable(name);
        return !path.isEmpty() && QProcess::startDetached(path, {});
    }
    void OpenLink(const QString& link, std::function<void(bool taken)> taken) override {
        // Tolerant parsing percent-encodes the blank and the Chinese of a subject.
        taken(QDesktopServices::openUrl(QUrl(link, QUrl::TolerantMode)));
    }
};

}  // namespace

ShellService& DesktopShell() {
    static WindowsShellService shell;
    return shell;
}

QStringList CalculatorPrograms() {
    return {QStringLiteral("calc")};
}

}  // namespace quadrello::platform
