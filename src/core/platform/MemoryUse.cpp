#include "core/platform/MemoryUse.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

void SetUpMemoryUse()
{
#ifdef __GLIBC__
    // Left to itself, glibc raises the bound for blocks of their own each time such a block is freed, and
    // the next ones of that size stay in the heap as holes: a sort or a walk over a million folders left
    // over a hundred megabytes there.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}

void ReturnFreeMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}
