#include "base/Memory.h"

#include <cstdint>
#include <cstdlib>

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace Memory {

void preferLargePages()
{
#if defined(__linux__) && defined(__GLIBC__)
    constexpr std::size_t kPage = 2 * 1024 * 1024;
    // Address space for the heap, taken in one step; memory comes only where it is touched.
    constexpr int kReserve = 256 * 1024 * 1024;
    // Blocks up to this size (a data file read whole) come from the heap too, not from mappings of
    // their own in 4 KB pages.
    constexpr int kLargestHeapBlock = 32 * 1024 * 1024;
    if (!mallopt(M_TOP_PAD, kReserve) || !mallopt(M_TRIM_THRESHOLD, 2 * kReserve)
        || !mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock))
        return;
    const auto before = reinterpret_cast<std::uintptr_t>(sbrk(0));
    // A block larger than what is left at the top makes the heap grow now, by the reserve.
    void *volatile block = std::malloc(1024 * 1024); // volatile: the pair is not optimised away
    std::free(block);
    const auto after = reinterpret_cast<std::uintptr_t>(sbrk(0));
    const std::uintptr_t from = (before + kPage - 1) & ~(kPage - 1);
    const std::uintptr_t to = after & ~(kPage - 1);
    // The space below the old end keeps its pages; a trimmed top would lose the advice, which the
    // trim threshold above prevents.
    if (to > from)
        madvise(reinterpret_cast<void *>(from), to - from, MADV_HUGEPAGE);
#endif
}

} // namespace Memory
