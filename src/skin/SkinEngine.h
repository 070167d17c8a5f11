#pragma once

#include <cstdint>
#include <string>

namespace quadrello::skin {

// Attaches the skin in the file `path` (bytes, as the file system names it) to every window of the
// program: a Qt style sheet that sets colours. Colours on plain selectors are painted through
// palettes (SkinStyle), with the look the style sheet would give; any other sheet is applied as an
// application style sheet. Returns 1 when the skin was applied and 0 when the file is missing,
// unreadable, too large or not a regular file (never waiting on a pipe); then nothing changes.
// `flags` is reserved and passed as 0.
int32_t SkinAttachEx(const std::string& path, int32_t flags);

}  // namespace quadrello::skin
