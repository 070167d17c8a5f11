#pragma once

// Test helpers for POSIX systems: running a piece of a test in a child process, optionally
// without root's rights.

#include <sys/types.h>

#include <functional>

namespace quadrello::test {

// Runs `body` in a forked child and returns its exit status (or 128 + signal).
int RunInChild(const std::function<int()>& body);

// Starts `body` in a forked child that exits with its result, and returns the child's id.
pid_t StartChild(const std::function<int()>& body);

// The exit status of a started child (or 128 + signal).
int WaitForChild(pid_t child);

// The user and group that unprivileged children run as.
inline constexpr uid_t kUnprivilegedId = 65534;  // "nobody" and "nogroup"

// Exit status of RunUnprivileged's child when it could not give up root's rights.
inline constexpr int kCannotDropRights = 99;

// Runs `body` in a child process that has given up root's rights (user and group "nobody"),
// so that permission bits apply to it. Without root the child runs with the caller's rights.
int RunUnprivileged(const std::function<int()>& body);

// Runs `body` in a child process as the user and group `id` (any number: the kernel needs no
// account), so that rules about who owns what apply between real users. Needs root: without it
// the child exits with kCannotDropRights.
int RunAs(uid_t id, const std::function<int()>& body);

// Gives up root's rights for good (user and group "nobody"); false when that failed. Without
// root nothing changes.
bool DropRootRights();

}  // namespace quadrello::test
