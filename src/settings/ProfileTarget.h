#pragma once

// Where a replacing write goes, and whether the user may make it: decided before the file is
// replaced by rename (which the kernel would otherwise allow to anyone who may write the
// folder). One rule for every file the programs write: config.ini and the companion's picture.

#include <optional>
#include <string>

#include "settings/WriteOutcome.h"

namespace quadrello {

struct WriteTarget {
    std::string path;  // the file to replace; empty when refused
    WriteOutcome outcome;
};

// The path a write must replace: the path itself, or the final target when it is a symbolic
// link (so the link survives). A link is followed only when nobody else can have planted or
// swapped it: it belongs to this process's user or to root, or its folder may be written by
// nobody but this user and root (on Windows: it belongs to this user, the administrators or the
// system). Refused (NoFileName) when the path names no file in a folder, (ForeignLink) at a link
// another user controls, (BrokenLink) at one that leads nowhere or loops.
WriteTarget ResolveWriteTarget(const std::string& path);

// Whether this process may write the existing file at `path`, by its permission bits, ACL,
// read-only mount or immutable flag, as the kernel judges an open for writing.
bool MayWriteFile(const std::string& path);

}  // namespace quadrello
