#include "InstalledTree.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "common/ChildProcess.h"
#include "common/ScratchFolder.h"

namespace quadrello::installtest {
namespace {

namespace fs = std::filesystem;

constexpr auto kPollInterval = std::chrono::milliseconds(20);
constexpr auto kGraceAfterTerm = std::chrono::seconds(5);

// The environment of a desktop session with nothing of the caller's in it that could matter:
// offscreen platform, no session bus, home, configuration and runtime folders private.
std::vector<std::string> PrivateEnvironment(const fs::path& home) {
    const fs::path runtime = home / "runtime";
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

// Gives a file or folder to the ordinary user the programs run as (when the test runs as root).
void GiveToRunner(const fs::path& path) {
    if (::geteuid() == 0 && ::chown(path.c_str(), test::kUnprivilegedId, test::kUnprivilegedId)) {
        ADD_FAILURE() << "cannot give " << path << " to the test user";
    }
}

// Starts the program as an ordinary user with its output going to `outputFile`; returns its
// process id or -1.
pid_t Spawn(const fs::path& program, std::vector<std::string> args, const fs::path& home,
            const fs::path& outputFile) {
    std::vector<std::string> env = PrivateEnvironment(home);
    args.insert(args.begin(), program.string());
    std::vector<char*> argv = Pointers(args);
    std::vector<char*> envp = Pointers(env);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int input = ::open("/dev/null", O_RDONLY);
        const int output = ::open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (input < 0 || output < 0 || ::dup2(input, STDIN_FILENO) < 0 ||
            ::dup2(output, STDOUT_FILENO) < 0 || ::dup2(output, STDERR_FILENO) < 0 ||
            !test::DropRootRights()) {
            ::_exit(test::kCannotDropRights);
        }
        ::execve(program.c_str(), argv.data(), envp.data());
        ::_exit(127);
    }
    return pid;
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

InstalledTree::InstalledTree(Layout layout) : layout_(layout) {
    std::string pattern = (fs::temp_directory_path() / "quadrello-install-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        log_ = "cannot make a temporary folder";
        return;
    }
    root_ = pattern;
    prefix_ = root_ / "prefix";
    home_ = root_ / "home";
    const fs::path runtime = home_ / "runtime";
    fs::permissions(root_, fs::perms(0755));  // the test user may pass, not write
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace);
    GiveToRunner(home_);
    GiveToRunner(runtime);
    Install();
}

bool InstalledTree::Install() {
    const char* layoutComponent = layout_ == Layout::System ? "system" : "portable";
    AllowOwnerWriting();
    log_.clear();
    installed_ = true;
    for (const char* component : {"program", layoutComponent}) {
        const RunResult install = RunCommand(
            std::string("'") + QUADRELLO_CMAKE_COMMAND + "' --install '" + QUADRELLO_BUILD_DIR +
            "' --prefix '" + prefix_.string() + "' --component " + component);
        log_ += install.output;
        installed_ = installed_ && install.exitStatus == 0;
    }
    if (layout_ == Layout::Portable) {
        // A folder of one's own: the user who unpacked it may write it.
        GiveToRunner(Bin());
        GiveToRunner(Bin() / "config.ini");
    } else {
        // Root's when the test runs as root; otherwise made read-only for the test's own user.
        std::error_code ignored;
        for (const fs::path& folder : {Bin(), Data()}) {
            fs::permissions(folder, fs::perms(0555), ignored);
        }
    }
    return installed_;
}

InstalledTree::~InstalledTree() {
    if (!root_.empty()) {
        AllowOwnerWriting();
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
}

void InstalledTree::AllowOwnerWriting() const {
    std::error_code ignored;
    for (const fs::path& folder : {Bin(), Data()}) {
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
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

RunResult RunCommand(const std::string& command) {
    RunResult result;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char chunk[4096];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) {
        result.output.append(chunk, got);
    }
    const int status = ::pclose(pipe);
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

bool OnPath(const std::string& name) {
    std::istringstream path(getenv("PATH") != nullptr ? getenv("PATH") : "");
    for (std::string folder; std::getline(path, folder, ':');) {
        if (!folder.empty() && ::access((fs::path(folder) / name).c_str(), X_OK) == 0) {
            return true;
        }
    }
    return false;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace quadrello::installtest
