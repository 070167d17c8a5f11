#include "platform/core/HeapPolicy.h"

#include <cstdlib>  // defines __GLIBC__ where the C library is glibc

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace quadrello::platform {

namespace {

// Where glibc itself starts; fixing it turns off its raising.
[[maybe_unused]] constexpr int kOwnMappingBytes = 128 * 1024;

}  // namespace

void KeepLargeBlocksMapped() {
#ifdef __GLIBC__
    static const bool fixed = mallopt(M_MMAP_THRESHOLD, kOwnMappingBytes) == 1;
    (void)fixed;
#endif
}

void ReleaseFreeMemory() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

}  // namespace quadrello::platform
