#pragma once

// Test helpers: a private folder that is removed afterwards, and whole-file access. Paths are
// UTF-8 on Windows, bytes elsewhere, as the profile routines take them.

#include <string>
#include <string_view>

namespace quadrello::test {

class ScratchFolder {
  public:
    ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder();

    const std::string& Path() const { return path_; }
    std::string File(std::string_view name) const { return path_ + "/" + std::string(name); }

  private:
    std::string path_;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, std::string_view bytes);

// The names in a folder, sorted.
std::string ListFolder(const std::string& folder);

}  // namespace quadrello::test
