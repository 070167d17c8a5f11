// The Windows side of PngFile.h: the picture is encoded in memory and stored through the
// settings writer's replacement, so a file already there is swapped atomically and keeps its
// access control list, and a link is followed only where the settings writer would follow it.
#include <windows.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QImageWriter>
#include <system_error>

#include "cli/PngFile.h"
#include "settings/ProfileFile.h"
#include "settings/ProfileTarget.h"

namespace quadrello::cli {

std::string WritePngFile(const QImage& picture, const std::string& path) {
    QCoreApplication::setLibraryPaths({});  // PNG is built in: no plugin to look for
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(picture)) {
        return writer.errorString().toStdString();
    }
    const std::optional<std::string> target = ProfileWriteTarget(path);
    if (!target) {
        return "not a file this user may replace (a folder, or a link owned by another user)";
    }
    const ProfileFileContents old = ReadProfileFile(*target);
    if (old.status == ProfileFileStatus::Unreadable) {
        return "not a regular file that can be replaced";
    }
    const std::string_view bytes(encoded.constData(), static_cast<std::size_t>(encoded.size()));
    if (!ReplaceProfileFile(*target, bytes, old.identity)) {
        const DWORD error = ::GetLastError();
        return error != ERROR_SUCCESS ? std::system_category().message(static_cast<int>(error))
                                      : std::string("the file could not be replaced");
    }
    return {};
}

}  // namespace quadrello::cli
