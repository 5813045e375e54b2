#include "heap_use.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace varnel::bench {

namespace {

std::atomic<std::size_t> inUse{0};
std::atomic<std::size_t> peak{0};

void* counted(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (!block) throw std::bad_alloc();
  const std::size_t now = inUse += malloc_usable_size(block);
  for (std::size_t seen = peak; now > seen && !peak.compare_exchange_weak(seen, now);) {
  }
  return block;
}

void released(void* block) {
  if (!block) return;
  inUse -= malloc_usable_size(block);
  std::free(block);
}

}  // namespace

std::size_t heapInUse() {
  return inUse;
}

void resetHeapPeak() {
  peak = inUse.load();
}

std::size_t heapPeak() {
  return peak;
}

}  // namespace varnel::bench

void* operator new(std::size_t size) {
  return varnel::bench::counted(size);
}
void* operator new[](std::size_t size) {
  return varnel::bench::counted(size);
}
void operator delete(void* block) noexcept {
  varnel::bench::released(block);
}
void operator delete[](void* block) noexcept {
  varnel::bench::released(block);
}
void operator delete(void* block, std::size_t) noexcept {
  varnel::bench::released(block);
}
void operator delete[](void* block, std::size_t) noexcept {
  varnel::bench::released(block);
}
