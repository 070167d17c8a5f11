#pragma once

// The POSIX rule of trust in shared folders, which the target and the lock of a write share.

#include <sys/stat.h>
#include <sys/types.h>

namespace quadrello {

// Whether something owned by `owner` in a folder described by `folder` may be trusted by this
// process, by the kernel's rule for following symbolic links in shared folders: always outside
// a folder that is both sticky and writable by everybody; inside one only when the owner is
// this process's user or the folder's owner.
bool TrustedInFolder(uid_t owner, const struct stat& folder);

}  // namespace quadrello
