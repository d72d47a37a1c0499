#include "counting_heap.h"

#include <cstdlib>
#include <new>

namespace lumivane::bench {
namespace {

// Each block carries its size in front, so delete can count it too.
constexpr std::size_t kHeader = alignof(std::max_align_t);

std::size_t inUse = 0;
std::size_t peak = 0;

}  // namespace

std::size_t HeapInUse() {
  return inUse;
}

std::size_t HeapPeak() {
  return peak;
}

void ResetHeapPeak() {
  peak = inUse;
}

}  // namespace lumivane::bench

using lumivane::bench::inUse;
using lumivane::bench::kHeader;
using lumivane::bench::peak;

void* operator new(std::size_t size) {
  auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
  if (block == nullptr) throw std::bad_alloc();
  *reinterpret_cast<std::size_t*>(block) = size;
  inUse += size;
  if (inUse > peak) peak = inUse;
  return block + kHeader;
}

void operator delete(void* pointer) noexcept {
  if (pointer == nullptr) return;
  auto* block = static_cast<unsigned char*>(pointer) - kHeader;
  inUse -= *reinterpret_cast<std::size_t*>(block);
  std::free(block);
}

void operator delete(void* pointer, std::size_t) noexcept {
  operator delete(pointer);
}
