#include "heap_tuning.h"

// Included first for what it defines: __GLIBC__ tells the allocator.
#include <cstdlib>

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#endif

namespace lumivane::cli {

#if defined(__linux__) && defined(__GLIBC__)

namespace {

constexpr int kHeapStep = 16 << 20;
constexpr std::uintptr_t kHugePage = 2u << 20;

}  // namespace

void PrepareHeapForConversion() {
  mallopt(M_MMAP_THRESHOLD, kHeapStep);
  mallopt(M_TRIM_THRESHOLD, kHeapStep);
  mallopt(M_TOP_PAD, kHeapStep);

  const auto begin = reinterpret_cast<std::uintptr_t>(sbrk(0));
  // Grows the heap by a whole step now, so the advice below covers it; the
  // volatile keeps the compiler from dropping the pair as unused.
  void* volatile block = std::malloc(1u << 20);
  std::free(block);
  const auto end = reinterpret_cast<std::uintptr_t>(sbrk(0));
  const std::uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
  const std::uintptr_t last = end & ~(kHugePage - 1);
  if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

#else

void PrepareHeapForConversion() {}

#endif

}  // namespace lumivane::cli
