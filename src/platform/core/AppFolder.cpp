#include "platform/core/AppFolder.h"

#include <QDir>

#include "platform/core/ExecutableFolder.h"

namespace quadrello::platform {
namespace {

constexpr std::string_view kInstalledData = "share/quadrello";

std::string& OverriddenFolder() {
    static std::string folder;
    return folder;
}

}  // namespace

std::string ApplicationFolder() {
    if (!OverriddenFolder().empty()) {
        return OverriddenFolder();
    }
    return ExecutableFolder();
}

std::string ApplicationFile(std::string_view name) {
    const std::string folder = ApplicationFolder();
    return folder.empty() ? std::string() : folder + NativeSeparator() + std::string(name);
}

bool ApplicationFolderDeniesWriting() {
    const std::string folder = ApplicationFolder();
    return !folder.empty() && FolderDeniesWriting(folder);
}

std::string InstalledDataFolder() {
    const std::string folder = ApplicationFolder();
    if (folder.empty()) {
        return {};
    }
    const std::string parent = folder.substr(0, folder.rfind(NativeSeparator()));
    return parent + NativeSeparator() + std::string(kInstalledData);
}

std::string ShippedFile(std::string_view name) {
    const std::string beside = ApplicationFile(name);
    if (beside.empty() || Exists(beside)) {
        return beside;
    }
    const std::string installed = InstalledDataFolder() + NativeSeparator() + std::string(name);
    return Exists(installed) ? installed : beside;
}

void OverrideApplicationFolder(std::string folder) {
    OverriddenFolder() = std::move(folder);
}

char NativeSeparator() {
    return QDir::separator().toLatin1();
}

}  // namespace quadrello::platform
