#pragma once

#include <QImage>
#include <string>

namespace quadrello::cli {

// Writes `picture` as a PNG file at `path` and returns the empty text, or the system's reason
// why it could not ("No space left on device"). A regular file (or a new one) is replaced
// atomically: the picture goes into a private temporary file in the same folder, which is
// flushed to disk, given the old file's permission bits (or a new file's) and renamed over the
// path, so a failure at any step leaves the old file as it was. A path that names something
// else, such as a device or a pipe, is written directly, every step checked just the same.
std::string WritePngFile(const QImage& picture, const std::string& path);

}  // namespace quadrello::cli
