#include "InstalledTree.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <thread>

extern char** environ;

namespace quadrello::installtest {
namespace {

namespace fs = std::filesystem;

constexpr auto kPollInterval = std::chrono::milliseconds(20);
constexpr auto kGraceAfterTerm = std::chrono::seconds(5);

// The environment of a desktop session with nothing of the caller's in it that could matter:
// offscreen platform, no session bus, home, configuration and runtime folders private.
std::vector<std::string> PrivateEnvironment(const fs::path& home) {
    const fs::path runtime = home / "runtime";
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace);
    std::vector<std::string> env = {
        "HOME=" + home.string(),
        "XDG_CONFIG_HOME=" + (home / ".config").string(),
        "XDG_RUNTIME_DIR=" + runtime.string(),
        "QT_QPA_PLATFORM=offscreen",
        "DBUS_SESSION_BUS_ADDRESS=disabled:",
        "LANG=C.UTF-8",
    };
    for (const char* keep : {"PATH", "ASAN_OPTIONS", "UBSAN_OPTIONS"}) {
        if (const char* value = getenv(keep)) {
            env.push_back(std::string(keep) + "=" + value);
        }
    }
    return env;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// Starts the program with its output going to `outputFile`; returns its process id or -1.
pid_t Spawn(const fs::path& program, std::vector<std::string> args, const fs::path& home,
            const fs::path& outputFile) {
    std::vector<std::string> env = PrivateEnvironment(home);
    args.insert(args.begin(), program.string());
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outputFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, program.c_str(), &actions, nullptr, Pointers(args).data(),
                                   Pointers(env).data());
    posix_spawn_file_actions_destroy(&actions);
    return failed == 0 ? pid : -1;
}

// The exit status once the process has ended within `limit`, or nothing.
bool WaitFor(pid_t pid, std::chrono::steady_clock::duration limit, int& status) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (true) {
        if (waitpid(pid, &status, WNOHANG) == pid) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
}

void Stop(pid_t pid) {
    int status = 0;
    kill(pid, SIGTERM);
    if (!WaitFor(pid, kGraceAfterTerm, status)) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
}

}  // namespace

InstalledTree::InstalledTree() {
    std::string pattern = (fs::temp_directory_path() / "quadrello-install-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        log_ = "cannot make a temporary folder";
        return;
    }
    root_ = pattern;
    prefix_ = root_ / "prefix";
    home_ = root_ / "home";
    fs::create_directories(home_);
    const fs::path logFile = root_ / "install.log";
    const std::string command = std::string("'") + QUADRELLO_CMAKE_COMMAND + "' --install '" +
                                QUADRELLO_BUILD_DIR + "' --prefix '" + prefix_.string() + "' >'" +
                                logFile.string() + "' 2>&1";
    installed_ = std::system(command.c_str()) == 0;
    log_ = ReadFile(logFile);
}

InstalledTree::~InstalledTree() {
    if (!root_.empty()) {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
}

RunResult RunToEnd(const fs::path& program, const std::vector<std::string>& args,
                   const fs::path& home) {
    RunResult result;
    const fs::path outputFile = home / "output.txt";
    const pid_t pid = Spawn(program, args, home, outputFile);
    if (pid < 0) {
        return result;
    }
    int status = 0;
    if (!WaitFor(pid, std::chrono::seconds(60), status)) {
        Stop(pid);
    } else if (WIFEXITED(status)) {
        result.exitStatus = WEXITSTATUS(status);
    }
    result.output = ReadFile(outputFile);
    return result;
}

bool StaysUp(const fs::path& program, const fs::path& home, double seconds) {
    const pid_t pid = Spawn(program, {}, home, home / "program-output.txt");
    if (pid < 0) {
        return false;
    }
    int status = 0;
    const bool ended = WaitFor(pid,
                               std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                   std::chrono::duration<double>(seconds)),
                               status);
    if (!ended) {
        Stop(pid);
    }
    return !ended;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace quadrello::installtest
