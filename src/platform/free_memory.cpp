#include "platform/free_memory.h"

#include <cstdlib> // defines __GLIBC__ with the C library's other names

#ifdef __GLIBC__
#include <malloc.h>
#endif

void returnFreedMemory()
{
#ifdef __GLIBC__
    // glibc returns by itself only the free space at the top of its heap; and once a large
    // block held in its own mapping is freed, it serves the next large blocks from the heap, so
    // a job's big temporaries stay resident after they are freed.
    malloc_trim(0);
#endif
}
