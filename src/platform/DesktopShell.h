#pragma once

// The system's own shell service, one implementation per platform: the desktop's opener and
// calculators on Linux, the Windows shell and calc.exe on Windows.

namespace quadrello::platform {

class ShellService;

ShellService& DesktopShell();

}  // namespace quadrello::platform
