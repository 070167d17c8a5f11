#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <QString>

#include "cli/Console.h"

namespace quadrello::cli {

std::vector<std::string> ProgramArguments(int, char**) {
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> utf8;
    for (int i = 1; arguments != nullptr && i < count; ++i) {
        utf8.push_back(QString::fromWCharArray(arguments[i]).toStdString());
    }
    ::LocalFree(arguments);
    return utf8;
}

void PrepareConsole() {
    // Output that goes to a file or a pipe is UTF-8 bytes either way.
    ::SetConsoleOutputCP(CP_UTF8);
}

}  // namespace quadrello::cli
