#pragma once

// Reading a profile file whole and replacing a file atomically (config.ini, and the companion's
// picture). This is the one place of the profile layer that reads and writes file contents
// through the operating system (POSIX file calls, or Win32 on Windows), because the C++ library
// has no flush-to-disk, no private creation and no way to keep a file's owner and access rights
// across a rename.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "settings/WriteOutcome.h"

namespace quadrello {

// A settings file is a few hundred bytes; anything beyond this is not read at all, so that a
// stray huge file can neither exhaust memory nor stall the program on every switch.
inline constexpr std::size_t kMaxProfileFileBytes = 32u * 1024u * 1024u;

enum class ProfileFileStatus {
    Read,        // a regular file, read whole
    Missing,     // no such file (or no such folder)
    Unreadable,  // there is something, but not a regular file that could be read whole
};

// Which file was read, so that its replacement can take its access rights from that very file:
// device and inode, or on Windows volume serial number and file index.
struct ProfileFileIdentity {
    unsigned long long device = 0;
    unsigned long long inode = 0;
};

struct ProfileFileContents {
    ProfileFileStatus status = ProfileFileStatus::Missing;
    std::string bytes;
    std::optional<ProfileFileIdentity> identity;  // set when status is Read
    bool notAFile = false;  // Unreadable because it is a folder, a pipe, a device or a socket
};

// Reads the file. Never blocks on special files (pipes, devices): they are Unreadable.
ProfileFileContents ReadProfileFile(const std::string& path);

// The folder that holds `path` ("." for a bare file name).
std::string ProfileFolder(const std::string& path);

// The file a replacing write of `path` finds there: none yet (`existing` stays empty), or a
// regular file this process may write (`existing` is its identity, so that the replacement takes
// its rights). Refused (NotAFile) for a folder, a pipe, a device or a socket, (System) where the
// system refuses the writing.
WriteOutcome ReplaceableFile(const std::string& path, std::optional<ProfileFileIdentity>& existing);

// Replaces the file at `path` with `bytes`: a temporary file is created private (0600, under an
// unpredictable name that fits the folder's limit on names) in the same folder, given the access
// rights of the file `original` names (see CopyFileAccess) or those of a new file when there is
// none, written, flushed to disk and renamed over `path`, so that the path always names either
// the old or the new whole file, and nobody can read or write more of it at any moment than the
// old file allowed. On failure (also when `path` is no longer the file `original` names, or its
// rights cannot be reproduced: AccessNotKept) the temporary file is removed, `path` is untouched
// and the outcome says why.
WriteOutcome ReplaceWholeFile(const std::string& path, std::string_view bytes,
                              const std::optional<ProfileFileIdentity>& original);

// Removes temporary files that this user's writers of `path` left behind when they were killed
// mid-write: only names ReplaceWholeFile makes (its prefix and random digits), and at most a
// bounded number of folder entries looked at, so that a folder full of planted names costs
// every write the same small time. Only safe while holding the file's ProfileWriteLock.
void RemoveStaleProfileTemporaries(const std::string& path);

// Makes an interrupt or termination request (SIGINT, SIGTERM, SIGHUP) remove the temporary file
// of a replacement in progress before the process ends as the signal asks. For programs that do
// not handle those signals themselves (the companion); a request after the rename finds no
// temporary and removes nothing.
void RemoveTemporaryOnInterrupt();

}  // namespace quadrello
