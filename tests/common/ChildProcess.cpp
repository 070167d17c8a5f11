#include "common/ChildProcess.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quadrello::test {

pid_t StartChild(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(body());
    }
    return child;
}

int WaitForChild(pid_t child) {
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child) {
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int RunInChild(const std::function<int()>& body) {
    return WaitForChild(StartChild(body));
}

bool DropRootRights() {
    return ::geteuid() != 0 || (::setgroups(0, nullptr) == 0 && ::setgid(kUnprivilegedId) == 0 &&
                                ::setuid(kUnprivilegedId) == 0);
}

int RunAs(uid_t id, const std::function<int()>& body) {
    return RunInChild([id, &body] {
        const bool changed = ::geteuid() == 0 && ::setgroups(0, nullptr) == 0 &&
                             ::setgid(id) == 0 && ::setuid(id) == 0;
        return changed ? body() : kCannotDropRights;
    });
}

int RunUnprivileged(const std::function<int()>& body) {
    return RunInChild([&body] { return DropRootRights() ? body() : kCannotDropRights; });
}

}  // namespace quadrello::test
