#pragma once

// Reading the skin file, one implementation per platform.

#include <QByteArray>
#include <optional>
#include <string>

namespace quadrello::skin {

// A skin is a few kilobytes of colours; anything far larger is no skin of ours.
inline constexpr qint64 kMaxSkinBytes = 256 * 1024;

// The bytes of the regular file at `path` (UTF-8 on Windows, the path's bytes elsewhere); nothing
// when it is missing, unreadable, larger than kMaxSkinBytes or not a regular file. Never waits:
// a pipe or a device in its place is refused without being read.
std::optional<QByteArray> ReadSkinFile(const std::string& path);

}  // namespace quadrello::skin
