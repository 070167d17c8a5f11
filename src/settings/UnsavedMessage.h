#pragma once

// What the user is told when a switch could not be stored: the switch stays in effect for this
// run, but the next start will not have it.

#include <string>

#include "settings/WriteOutcome.h"

namespace quadrello {

// "无法保存设置：<reason>。" and what that means for the switch, followed by the file's path.
// The reason is the user's words for `outcome` (for a system error, the common ones in words of
// their own, any other by its number and the system's text).
std::string UnsavedSwitchMessage(const WriteOutcome& outcome, const std::string& file);

}  // namespace quadrello
