#include "util/memory_retention.h"

#include <cstdlib> // defines __GLIBC__ on the GNU C library

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace qzx {

void retainFreedMemory() {
#if defined(__GLIBC__)
    // Blocks up to 32 MB (the largest the allocator allows) come from the heap rather than
    // from mappings of their own, and up to 256 MB freed at the heap's top stay with the
    // program.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
#endif
}

} // namespace qzx
