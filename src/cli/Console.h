#pragma once

// What the companion needs of the console it runs in, one implementation per platform.

#include <string>
#include <vector>

namespace quadrello::cli {

// The program's arguments (without its own name) as UTF-8: as given on POSIX systems, from the
// UTF-16 command line on Windows, whose narrow arguments are in a legacy code page.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Makes the console show the UTF-8 the program prints (Δ, ①, ②): on Windows the console's
// output code page; nothing elsewhere.
void PrepareConsole();

}  // namespace quadrello::cli
