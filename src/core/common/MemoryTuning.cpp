#include "common/MemoryTuning.h"

#include <cstdlib> // defines __GLIBC__ where it applies

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void TuneMemoryAllocator()
{
#if defined(__GLIBC__)
    // Blocks up to 1 MiB come from the heap, and up to 16 MiB of free heap is kept for reuse.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
    mallopt(M_TRIM_THRESHOLD, 16 << 20);
#endif
}
