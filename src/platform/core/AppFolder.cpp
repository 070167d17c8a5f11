#include "platform/core/AppFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <filesystem>
#include <system_error>

namespace quadrello::platform {
namespace {

constexpr const char* kOwnExecutableLink = "/proc/self/exe";

std::string& OverriddenFolder() {
    static std::string folder;
    return folder;
}

// Without an application object: the folder of the executable as the kernel reports it, or
// the working folder when even that is unknown.
std::string ExecutableFolder() {
    std::error_code error;
    const std::filesystem::path executable =
        std::filesystem::read_symlink(kOwnExecutableLink, error);
    if (!error && executable.has_parent_path()) {
        return executable.parent_path().string();
    }
    const std::filesystem::path current = std::filesystem::current_path(error);
    return error ? std::string(".") : current.string();
}

}  // namespace

std::string ApplicationFolder() {
    if (!OverriddenFolder().empty()) {
        return OverriddenFolder();
    }
    if (QCoreApplication::instance() != nullptr) {
        return QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString();
    }
    return QDir::toNativeSeparators(QString::fromStdString(ExecutableFolder())).toStdString();
}

void OverrideApplicationFolder(std::string folder) {
    OverriddenFolder() = std::move(folder);
}

char NativeSeparator() {
    return QDir::separator().toLatin1();
}

}  // namespace quadrello::platform
