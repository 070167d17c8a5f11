// The Windows side of UserConfigFolder.h: the user's roaming application data folder, where
// Windows programs keep a user's own settings.
#include <windows.h>
// After windows.h, which it needs.
#include <knownfolders.h>
#include <shlobj.h>

#include <QString>
#include <QStringList>

#include "platform/core/UserConfigFolder.h"

namespace quadrello::platform {
namespace {

bool MakeFolder(const QString& folder) {
    const std::wstring wide = folder.toStdWString();
    if (::CreateDirectoryW(wide.c_str(), nullptr)) {
        return true;
    }
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    return ::GetLastError() == ERROR_ALREADY_EXISTS && attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

std::string UserConfigFolder() {
    PWSTR path = nullptr;
    std::string folder;
    if (SUCCEEDED(
            ::SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &path))) {
        folder = QString::fromWCharArray(path).toStdString();
    }
    ::CoTaskMemFree(path);
    return folder;
}

bool MakeUserConfigFolder(std::string_view relative) {
    const std::string base = UserConfigFolder();
    if (base.empty() || !MakeFolder(QString::fromStdString(base))) {
        return false;
    }
    QString folder = QString::fromStdString(base);
    for (const QString& part :
         QString::fromUtf8(relative.data(), static_cast<qsizetype>(relative.size()))
             .split(u'/', Qt::SkipEmptyParts)) {
        folder += u'\\' + part;
        if (!MakeFolder(folder)) {
            return false;
        }
    }
    return true;
}

}  // namespace quadrello::platform
