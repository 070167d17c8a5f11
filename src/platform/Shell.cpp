#include "platform/Shell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace quadrello::platform {

namespace {

class DesktopShellService final : public ShellService {
  public:
    bool ProgramExists(const QString& name) const override {
        return !QStandardPaths::findExecutable(name).isEmpty();
    }
    bool StartProgram(const QString& name) override {
        const QString path = QStandardPaths::findExecutable(name);
        return !path.isEmpty() && QProcess::startDetached(path, {});
    }
    bool OpenLink(const QString& link) override {
        // Tolerant parsing percent-encodes the blank and the Chinese of a subject for the
        // desktop's URL handler; the link text itself stays as written.
        return QDesktopServices::openUrl(QUrl(link, QUrl::TolerantMode));
    }
};

ShellService* replacement = nullptr;

ShellService& Current() {
    static DesktopShellService real;
    return replacement != nullptr ? *replacement : real;
}

}  // namespace

void SetShellService(ShellService* service) {
    replacement = service;
}

QStringList CalculatorPrograms() {
#ifdef Q_OS_WIN
    return {QStringLiteral("calc")};
#else
    return {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
            QStringLiteral("mate-calc"),        QStringLiteral("galculator"),
            QStringLiteral("qalculate-gtk"),    QStringLiteral("xcalc")};
#endif
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

bool OpenLink(const QString& link) {
    return Current().OpenLink(link);
}

}  // namespace quadrello::platform
