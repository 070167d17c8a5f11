#include "cli/PngFile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageWriter>
#include <cerrno>
#include <cstring>
#include <optional>

#include "settings/ProfileFile.h"
#include "settings/ProfileTarget.h"

namespace quadrello::cli {
namespace {

std::string Reason(const WriteOutcome& outcome) {
    switch (outcome.refusal) {
        case WriteRefusal::None:
            return {};
        case WriteRefusal::NoFileName:
            return "the path names no file";
        case WriteRefusal::ForeignLink:
            return "it is a symbolic link that another user controls";
        case WriteRefusal::BrokenLink:
            return "it is a symbolic link that leads nowhere";
        case WriteRefusal::NotAFile:
            return "it is not a regular file";
        case WriteRefusal::NotPermitted:
            return std::strerror(EACCES);
        case WriteRefusal::AccessNotKept:
            return "its owner, group, permissions or attributes could not be kept";
        case WriteRefusal::Unreadable:
        case WriteRefusal::Unstorable:
        case WriteRefusal::NoFolder:
        case WriteRefusal::System:
            break;
    }
    return std::strerror(outcome.error);
}

// The picture as PNG bytes, encoded in memory first (a plot compresses to a small fraction of
// the image), so that every write to the file is the program's own, its failure reported with
// the system's reason rather than the PNG library's.
std::optional<QByteArray> Encode(const QImage& picture, std::string& reason) {
    // PNG is built into Qt Gui: no image-format plugin needs to be looked for or loaded.
    QCoreApplication::setLibraryPaths({});
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(picture)) {
        reason = writer.errorString().toStdString();
        return std::nullopt;
    }
    return encoded;
}

}  // namespace

std::string WritePngFile(const QImage& picture, const std::string& path) {
    const WriteTarget target = ResolveWriteTarget(path);
    if (!target.outcome.Written()) {
        return Reason(target.outcome);
    }
    std::optional<ProfileFileIdentity> existing;
    if (const WriteOutcome checked = ReplaceableFile(target.path, existing); !checked.Written()) {
        return Reason(checked);
    }
    std::string reason;
    const std::optional<QByteArray> encoded = Encode(picture, reason);
    if (!encoded) {
        return reason;
    }
    return Reason(ReplaceWholeFile(
        target.path, std::string_view(encoded->constData(), std::size_t(encoded->size())),
        existing));
}

}  // namespace quadrello::cli
