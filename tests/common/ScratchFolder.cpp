#include "common/ScratchFolder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <type_traits>
#include <vector>

namespace quadrello::test {
namespace {

namespace fs = std::filesystem;

constexpr int kFolderNameAttempts = 100;

// A path as the file system takes it: UTF-8 turned into UTF-16 where paths are wide (Windows),
// the bytes themselves elsewhere.
fs::path NativePath(const std::string& path) {
    if constexpr (std::is_same_v<fs::path::value_type, wchar_t>) {
        return fs::path(std::u8string(path.begin(), path.end()));
    } else {
        return fs::path(path);
    }
}

std::string PathText(const fs::path& path) {
    if constexpr (std::is_same_v<fs::path::value_type, wchar_t>) {
        const std::u8string text = path.u8string();
        return std::string(text.begin(), text.end());
    } else {
        return path.string();
    }
}

}  // namespace

ScratchFolder::ScratchFolder() {
    // A new folder of its own (created private where the system has modes), named at random.
    std::random_device random;
    for (int attempt = 0; attempt < kFolderNameAttempts; ++attempt) {
        const fs::path folder =
            fs::temp_directory_path() / ("quadrello-settings-" + std::to_string(random()));
        if (fs::create_directory(folder)) {
            fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace);
            path_ = PathText(folder);
            return;
        }
    }
    throw std::runtime_error("no scratch folder could be made");
}

ScratchFolder::~ScratchFolder() {
    std::error_code error;
    // Tests take rights away from folders; give them back so that everything can go.
    for (auto it = fs::recursive_directory_iterator(NativePath(path_), error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (it->is_directory(error) && !it->is_symlink(error)) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
        }
    }
    fs::remove_all(NativePath(path_), error);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(NativePath(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(NativePath(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ListFolder(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(NativePath(folder))) {
        names.push_back(PathText(entry.path().filename()));
    }
    std::sort(names.begin(), names.end());
    std::string joined;
    for (const auto& name : names) {
        joined += (joined.empty() ? "" : " ") + name;
    }
    return joined;
}

}  // namespace quadrello::test
