#include "console/HeapPages.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace {

// The heap's step: room for a large drawing before the next one. Only
// pages touched count towards memory.
constexpr size_t kHeapStep = size_t(32) << 20;
// The size of a huge page on x86-64 and arm64; the advice covers whole ones.
constexpr uintptr_t kHugePage = uintptr_t(2) << 20;
// Blocks below the allocator's mapping threshold, to make the heap grow now.
constexpr size_t kProbeBlock = size_t(64) << 10;
constexpr int kMostProbes = 8;

}  // namespace

void growHeapInLargeSteps()
{
    if (mallopt(M_TOP_PAD, int(kHeapStep)) == 0)
        return;
    // Grow the heap by one step now, so that the step can be advised.
    const auto before = reinterpret_cast<uintptr_t>(sbrk(0));
    void* probes[kMostProbes] = {};
    int made = 0;
    while (made < kMostProbes && reinterpret_cast<uintptr_t>(sbrk(0)) == before)
        probes[made++] = std::malloc(kProbeBlock);
    for (int i = 0; i < made; ++i)
        std::free(probes[i]);
    const auto end = reinterpret_cast<uintptr_t>(sbrk(0));
    const uintptr_t start = (before + kHugePage - 1) & ~(kHugePage - 1);
    if (end > start)
        madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
}
