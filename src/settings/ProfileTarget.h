#pragma once

// Where a write of a profile file goes, and whether the user may make it: the same decisions
// the kernel makes for a program that opens the file for writing, taken before the file is
// replaced by rename (which the kernel would otherwise allow to anyone who may write the
// folder).

#include <optional>
#include <string>

namespace quadrello {

// The path a write must replace: the path itself, or the final target when it is a symbolic
// link (so the link survives). Nothing when the link leads nowhere, loops, or is one the
// kernel's rule for shared folders would not follow (ProfileTargetPosix.h; on Windows, a link
// owned by neither this user nor the administrators), or when the path names no file in a folder
// (empty, or ending in a separator).
std::optional<std::string> ProfileWriteTarget(const std::string& path);

// Whether this process may write the existing file at `path`, by its permission bits, ACL,
// read-only mount or immutable flag, as the kernel judges an open for writing.
bool MayWriteFile(const std::string& path);

}  // namespace quadrello
