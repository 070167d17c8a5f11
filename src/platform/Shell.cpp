#include "platform/Shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <memory>
#include <utility>

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
    void OpenLink(const QString& link, std::function<void(bool)> taken) override {
        // Tolerant parsing percent-encodes the blank and the Chinese of a subject for the
        // desktop's URL handler; the link text itself stays as written.
        const QUrl url(link, QUrl::TolerantMode);
        const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        if (opener.isEmpty()) {
            taken(QDesktopServices::openUrl(url));
            return;
        }
        RunOpener(opener, url, std::move(taken));
    }

  private:
    // The desktop's opener hands the link on and ends; its exit status says whether a program
    // took it (3: none is registered). Some openers wait for the program they start instead:
    // one that is still running after a while has found one, whatever it ends with later.
    static void RunOpener(const QString& opener, const QUrl& url, std::function<void(bool)> taken) {
        constexpr qint64 kFoundAfterMs = 10000;
        auto* process = new QProcess(qApp);
        process->setProcessChannelMode(QProcess::ForwardedChannels);
        process->setStandardInputFile(QProcess::nullDevice());
        auto clock = std::make_shared<QElapsedTimer>();
        auto report = std::make_shared<std::function<void(bool)>>(std::move(taken));
        const auto finish = [process, report](bool result) {
            if (*report) {
                std::exchange(*report, nullptr)(result);
            }
            process->deleteLater();
        };
        QObject::connect(process, &QProcess::finished, process,
                         [finish, clock](int code, QProcess::ExitStatus status) {
                             finish((status == QProcess::NormalExit && code == 0) ||
                                    clock->elapsed() >= kFoundAfterMs);
                         });
        QObject::connect(process, &QProcess::errorOccurred, process,
                         [finish](QProcess::ProcessError error) {
                             if (error == QProcess::FailedToStart) {
                                 finish(false);
                             }
                         });
        clock->start();
        process->start(opener, {QString::fromLatin1(url.toEncoded())});
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

void OpenLink(const QString& link, std::function<void(bool taken)> taken) {
    Current().OpenLink(link, std::move(taken));
}

}  // namespace quadrello::platform
