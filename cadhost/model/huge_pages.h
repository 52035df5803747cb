// Asking the system to back a large block of memory with huge pages. A drawing's entities and
// a drawing file's bytes fill tens of megabytes at once; with ordinary 4 KiB pages every page
// costs a fault on first touch, which on virtual machines is dearer than filling the page.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace cadhost {

// Advises huge pages for the whole 2 MiB pages that lie inside the block. Only advice: where
// the system has no huge pages, or the block is small, nothing changes.
inline void AdviseHugePages(const void* start, std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
    const auto begin = reinterpret_cast<std::uintptr_t>(start);
    const std::uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t last = (begin + bytes) & ~(kHugePage - 1);
    if (last > first) {
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    }
#else
    (void)start;
    (void)bytes;
#endif
}

} // namespace cadhost
