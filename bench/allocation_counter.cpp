#include "allocation_counter.h"

#include <atomic>

namespace {
std::atomic<bool> counting{false};
std::atomic<std::size_t> counted{0};
}  // namespace

// glibc lets a program supply malloc and friends; these forward to glibc's own.
#if defined(__GLIBC__)
extern "C" {
void* __libc_malloc(std::size_t size);
void __libc_free(void* p);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* p, std::size_t size);
}
namespace {
void Count() {
  if (counting.load(std::memory_order_relaxed)) counted.fetch_add(1, std::memory_order_relaxed);
}
}  // namespace
extern "C" {
void* malloc(std::size_t size) {
  Count();
  return __libc_malloc(size);
}
void free(void* p) { __libc_free(p); }
void* calloc(std::size_t count, std::size_t size) {
  Count();
  return __libc_calloc(count, size);
}
void* realloc(void* p, std::size_t size) {
  Count();
  return __libc_realloc(p, size);
}
}
#endif

namespace tessary::bench {

bool CountsAllocations() {
#if defined(__GLIBC__)
  return true;
#else
  return false;
#endif
}

void StartCountingAllocations() {
  counted.store(0, std::memory_order_relaxed);
  counting.store(true, std::memory_order_relaxed);
}

std::size_t StopCountingAllocations() {
  counting.store(false, std::memory_order_relaxed);
  return counted.load(std::memory_order_relaxed);
}

}  // namespace tessary::bench
