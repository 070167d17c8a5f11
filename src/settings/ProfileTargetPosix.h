#pragma once

// The POSIX rule of trust in shared folders, for the lock of a write.

#include <sys/stat.h>
#include <sys/types.h>

namespace quadrello {

// Whether a lock file owned by `owner` in a folder described by `folder` may be trusted by this
// process, by the kernel's rule for shared folders: always outside a folder that is both sticky
// and writable by everybody; inside one only when the owner is this process's user or the
// folder's owner.
bool TrustedInFolder(uid_t owner, const struct stat& folder);

}  // namespace quadrello
