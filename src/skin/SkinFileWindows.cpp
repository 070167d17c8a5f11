#include <windows.h>

#include <QString>

#include "skin/SkinFile.h"

namespace quadrello::skin {

std::optional<QByteArray> ReadSkinFile(const std::string& path) {
    const std::wstring wide = QString::fromStdString(path).toStdWString();
    const HANDLE file = ::CreateFileW(wide.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    // Only a file on disk: a pipe or a device in its place could block or never end.
    LARGE_INTEGER size{};
    std::optional<QByteArray> sheet;
    if (::GetFileType(file) == FILE_TYPE_DISK && ::GetFileSizeEx(file, &size) &&
        size.QuadPart <= kMaxSkinBytes) {
        QByteArray bytes(static_cast<qsizetype>(size.QuadPart), Qt::Uninitialized);
        DWORD got = 0;
        if (::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) &&
            got == static_cast<DWORD>(bytes.size())) {
            sheet = std::move(bytes);
        }
    }
    ::CloseHandle(file);
    return sheet;
}

}  // namespace quadrello::skin
