#pragma once

// Reading a profile file whole and replacing it atomically. This is the one place of the
// profile layer that talks to the operating system (POSIX file calls), because the C++ library
// has no flush-to-disk and no way to keep a file's owner and permission bits across a rename.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quadrello {

// A settings file is a few hundred bytes; anything beyond this is not read at all, so that a
// stray huge file can neither exhaust memory nor stall the program on every switch.
inline constexpr std::size_t kMaxProfileFileBytes = 32u * 1024u * 1024u;

enum class ProfileFileStatus {
    Read,        // a regular file, read whole
    Missing,     // no such file (or no such folder)
    Unreadable,  // there is something, but not a regular file that could be read whole
};

// Owner and permission bits of a file, to be given to its replacement.
struct ProfileFileAttributes {
    unsigned mode = 0;  // permission bits only
    unsigned owner = 0;
    unsigned group = 0;
};

struct ProfileFileContents {
    ProfileFileStatus status = ProfileFileStatus::Missing;
    std::string bytes;
    std::optional<ProfileFileAttributes> attributes;  // set when status is Read
};

// Reads the file. Never blocks on special files (pipes, devices): they are Unreadable.
ProfileFileContents ReadProfileFile(const std::string& path);

// The path a write must replace: the path itself, or the final target when it is a symbolic
// link (so the link survives). Nothing when the link leads nowhere or the path names no file
// in a folder (empty, or ending in a separator).
std::optional<std::string> ProfileWriteTarget(const std::string& path);

// The folder that holds `path` ("." for a bare file name).
std::string ProfileFolder(const std::string& path);

// Replaces the file at `path` with `bytes`: a temporary file in the same folder is written,
// flushed to disk and renamed over `path`, so that the path always names either the old or
// the new whole file. The replacement gets `attributes` when given (a new file gets the usual
// permissions of the process). On failure the temporary file is removed, `path` is untouched
// and the result is false.
bool ReplaceProfileFile(const std::string& path, std::string_view bytes,
                        const std::optional<ProfileFileAttributes>& attributes);

// Removes temporary files that writers of `path` left behind when they were killed mid-write.
// Only safe while holding the folder's ProfileFolderLock.
void RemoveStaleProfileTemporaries(const std::string& path);

}  // namespace quadrello
