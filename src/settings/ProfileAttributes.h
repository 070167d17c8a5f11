#pragma once

// Who may read and write a replacement file: exactly who could read and write the file it
// replaces, or, for a new file, whom a newly created file lets in.

namespace quadrello {

// Gives the file open as `replacement` the owner, group, permission bits, extended attributes
// (the POSIX ACL among them) and the inode flags that say how it is kept (no dump, no access
// time, ...) of the file open as `original`, and removes extended attributes and such flags the
// original does not have. False when any of it cannot be reproduced exactly,
// as when this process may not give the file away to the original's owner or group.
bool CopyFileAccess(int original, int replacement);

// Gives a file created private the permission bits a new file of this process would get
// (read and write for all, narrowed by the umask).
bool GiveNewFileAccess(int replacement);

}  // namespace quadrello
