#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace quadrello::installtest {

// A fresh temporary prefix with the build installed into it by `cmake --install`; removed again
// when the object goes.
class InstalledTree {
  public:
    InstalledTree();
    ~InstalledTree();
    InstalledTree(const InstalledTree&) = delete;
    InstalledTree& operator=(const InstalledTree&) = delete;

    bool Installed() const { return installed_; }
    const std::string& Log() const { return log_; }
    const std::filesystem::path& Prefix() const { return prefix_; }
    std::filesystem::path Bin() const { return prefix_ / "bin"; }
    // A private home for the programs run from here (user record, runtime folder).
    const std::filesystem::path& Home() const { return home_; }

  private:
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

// Runs the program with the arguments and a private environment under `home`, waits for it.
RunResult RunToEnd(const std::filesystem::path& program, const std::vector<std::string>& args,
                   const std::filesystem::path& home);

// Starts the program on the offscreen platform, and reports whether it was still running after
// `seconds`; then ends it.
bool StaysUp(const std::filesystem::path& program, const std::filesystem::path& home,
             double seconds);

std::string ReadFile(const std::filesystem::path& path);

}  // namespace quadrello::installtest
