#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace quadrello::installtest {

enum class Layout {
    System,    // root-owned prefix: data under share/quadrello, switches in the user's folder
    Portable,  // one folder, the user's own: config.ini and skin.ski beside the program
};

// A fresh temporary prefix with the build installed into it by `cmake --install` in the given
// layout; removed again when the object goes. The programs run from it as an ordinary user:
// where the test runs as root they run as "nobody", who may write the home below and, in the
// portable layout, the program's folder, but nothing else of the prefix.
class InstalledTree {
  public:
    explicit InstalledTree(Layout layout);
    ~InstalledTree();
    InstalledTree(const InstalledTree&) = delete;
    InstalledTree& operator=(const InstalledTree&) = delete;

    // Installs (again) into the prefix; false when `cmake --install` failed (see Log()).
    bool Install();
    bool Installed() const { return installed_; }
    const std::string& Log() const { return log_; }
    const std::filesystem::path& Prefix() const { return prefix_; }
    std::filesystem::path Bin() const { return prefix_ / "bin"; }
    std::filesystem::path Data() const { return prefix_ / "share/quadrello"; }
    // A private home for the programs run from here (user record, settings, runtime folder).
    const std::filesystem::path& Home() const { return home_; }

  private:
    void AllowOwnerWriting() const;

    Layout layout_;
    std::filesystem::path root_;
    std::filesystem::path prefix_;
    std::filesystem::path home_;
    bool installed_ = false;
    std::string log_;
};

struct RunResult {
    int exitStatus = -1;  // -1 when it did not end by itself
    std::string output;
};

// Runs the program as an ordinary user with the arguments and a private environment under
// `home`, waits for it.
RunResult RunToEnd(const std::filesystem::path& program, const std::vector<std::string>& args,
                   const std::filesystem::path& home);

// Starts the program as an ordinary user on the offscreen platform, and reports whether it was
// still running after `seconds`; then ends it.
bool StaysUp(const std::filesystem::path& program, const std::filesystem::path& home,
             double seconds);

// Runs a shell command line; its output and error output together, and its exit status.
RunResult RunCommand(const std::string& command);

// Whether `name` is a program found on PATH.
bool OnPath(const std::string& name);

std::string ReadFile(const std::filesystem::path& path);

}  // namespace quadrello::installtest
