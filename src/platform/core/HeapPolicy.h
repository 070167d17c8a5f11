#pragma once

namespace quadrello::platform {

// Large blocks (from 128 KiB: a font's tables read whole, a long message from the bus) get a
// mapping of their own and go back to the system when freed. Left to itself, glibc raises that
// size to the largest block freed so far, after which every block up to it comes from the
// heaps, and a heap keeps up to twice that much free at its end: malloc_trim() does not give
// back the end of a thread's heap, only glibc's own trimming at the fixed size does. Once per
// process; harmless to repeat. Does nothing where the C library has no such setting.
void KeepLargeBlocksMapped();

// Gives the free pages inside the heaps back to the system: glibc by itself gives back only a
// heap's free end, and only once it is past its threshold.
void ReleaseFreeMemory();

}  // namespace quadrello::platform
