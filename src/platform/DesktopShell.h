#pragma once

// The system's own shell service, one implementation per platform: the desktop's opener and
// calculators on Linux, the Windows shell and calc.exe on Windows.

#include "platform/Shell.h"

namespace quadrello::platform {

// Programs looked for on the search path and started detached, as on every system; the link
// is the platform's own.
class SearchPathShell : public ShellService {
  public:
    bool ProgramExists(const QString& name) const override;
    bool StartProgram(const QString& name) override;
};

ShellService& DesktopShell();

}  // namespace quadrello::platform
