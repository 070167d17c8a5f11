#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace quadrello::platform {

// Starting other programs and opening links: what reaches outside the process. Tests replace
// it with a recorder so that nothing real is launched.
class ShellService {
  public:
    virtual ~ShellService() = default;
    // Whether a program of this name can be found on the search path.
    virtual bool ProgramExists(const QString& name) const = 0;
    // Starts the program detached, with its normal window; false when it could not be started.
    virtual bool StartProgram(const QString& name) = 0;
    // Hands a link ("mailto:..." and the like) to the desktop and reports, through `taken`,
    // whether a program took it: false when no opener exists, or when the desktop's opener ran
    // and said that it found no program. May report before it returns or later, from the event
    // loop (the opener is not waited for); never reports twice.
    virtual void OpenLink(const QString& link, std::function<void(bool taken)> taken) = 0;
};

// Replaces the service the functions below use; null restores the real one.
void SetShellService(ShellService* service);

// The desktop's calculators, in the order they are tried.
QStringList CalculatorPrograms();

// Starts the first calculator of CalculatorPrograms() that exists, without waiting for it.
// False when none exists or it could not be started.
bool StartSystemCalculator();

void OpenLink(const QString& link, std::function<void(bool taken)> taken);

}  // namespace quadrello::platform
