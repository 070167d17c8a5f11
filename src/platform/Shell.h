#pragma once

#include <QString>
#include <QStringList>

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
    // Hands a link ("mailto:..." and the like) to the desktop; false when nothing took it.
    virtual bool OpenLink(const QString& link) = 0;
};

// Replaces the service the functions below use; null restores the real one.
void SetShellService(ShellService* service);

// The desktop's calculators, in the order they are tried.
QStringList CalculatorPrograms();

// Starts the first calculator of CalculatorPrograms() that exists, without waiting for it.
// False when none exists or it could not be started.
bool StartSystemCalculator();

bool OpenLink(const QString& link);

}  // namespace quadrello::platform
