// The Windows side of the shell: calc.exe from the system folder on the search path, and links
// through the shell (ShellExecute), which says at once whether a program took them.
#include <QDesktopServices>
#include <QUrl>

#include "platform/DesktopShell.h"

namespace quadrello::platform {
namespace {

class WindowsShellService final : public SearchPathShell {
  public:
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
