// Replaces the global allocation functions with counting ones (the array and sized
// forms reach these through the library's defaults).
#include "tests/behaviour/AllocationCount.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> g_live{0};
}

long LiveAllocations() { return g_live.load(); }

void* operator new(std::size_t size) {
  void* p = std::malloc(size ? size : 1);
  if (!p) throw std::bad_alloc();
  ++g_live;
  return p;
}

void operator delete(void* p) noexcept {
  if (!p) return;
  --g_live;
  std::free(p);
}

void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete[](void* p) noexcept { operator delete(p); }
void operator delete[](void* p, std::size_t) noexcept { operator delete(p); }
