// The Linux desktop's side of the shell: programs found on the search path, links handed to the
// desktop's opener, whose exit status tells whether a program took them.
#include <QCoreApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <memory>
#include <utility>

#include "platform/DesktopShell.h"

namespace quadrello::platform {
namespace {

class DesktopShellService final : public SearchPathShell {
  public:
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

}  // namespace

ShellService& DesktopShell() {
    static DesktopShellService shell;
    return shell;
}

QStringList CalculatorPrograms() {
    return {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
            QStringLiteral("mate-calc"),        QStringLiteral("galculator"),
            QStringLiteral("qalculate-gtk"),    QStringLiteral("xcalc")};
}

}  // namespace quadrello::platform
