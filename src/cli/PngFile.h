#pragma once

#include <QImage>
#include <string>

namespace quadrello::cli {

// Writes `picture` as a PNG file at `path` and returns the empty text, or the reason why it
// could not ("No space left on device"). The file is replaced as config.ini is (see
// ReplaceWholeFile): the picture goes into a private temporary file in the same folder, which
// is flushed to disk, given the old file's owner, group, permission bits, ACL, extended
// attributes and flags (or a new file's rights) and renamed over the path, so a failure at any
// step leaves the old file as it was. Through a symbolic link the file it leads to is replaced,
// under the settings' rule: never through a link another user controls, nor one that leads
// nowhere. Anything but a regular file (a pipe, a device, a folder) is refused without being
// opened, and so is a file this user may not write.
std::string WritePngFile(const QImage& picture, const std::string& path);

}  // namespace quadrello::cli
