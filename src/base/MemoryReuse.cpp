#include "base/MemoryReuse.h"

#include <cstdlib> // defines __GLIBC__ on the GNU C library
#if defined(__GLIBC__)
#include <malloc.h>
#endif

void KeepFreedMemoryForReuse()
{
#if defined(__GLIBC__)
    constexpr int MB = 1024 * 1024;
    // Blocks up to 32 MB come from the heap and stay there when freed...
    mallopt(M_MMAP_THRESHOLD, 32 * MB);
    // ...the heap gives nothing back while less than 64 MB of it is free...
    mallopt(M_TRIM_THRESHOLD, 64 * MB);
    // ...and grows in steps of 16 MB rather than page by page.
    mallopt(M_TOP_PAD, 16 * MB);
#endif
}
