#include "tests/effect/AllocationCounter.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

#ifdef QUIL_WRAP_C_ALLOCATOR
// The linker sends every call of these from the program's own objects to the __wrap_ functions
// below; the __real_ names reach the C library's.
extern "C" {
void* __real_malloc(std::size_t size);
void* __real_calloc(std::size_t count, std::size_t size);
void* __real_realloc(void* block, std::size_t size);
void __real_free(void* block);
}
#define QUIL_RAW_MALLOC __real_malloc
#define QUIL_RAW_FREE __real_free
#else
#define QUIL_RAW_MALLOC std::malloc
#define QUIL_RAW_FREE std::free
#endif

namespace allocation_counter {

namespace {
std::atomic<long> gAllocations{0};
std::atomic<long> gReleases{0};
std::atomic<int> gFailures{0};
}  // namespace

long Allocations() { return gAllocations.load(); }
long Releases() { return gReleases.load(); }
void FailNext(int count) { gFailures.store(count); }

}  // namespace allocation_counter

namespace {

// Counts an allocation; false when it is to fail.
bool Granted() {
  ++allocation_counter::gAllocations;
  int failures = allocation_counter::gFailures.load();
  while (failures > 0) {
    if (allocation_counter::gFailures.compare_exchange_weak(failures, failures - 1)) return false;
  }
  return true;
}

void CountRelease(const void* p) {
  if (p) ++allocation_counter::gReleases;
}

// Null when the allocation is to fail.
void* Acquire(std::size_t size, std::size_t alignment) {
  if (!Granted()) return nullptr;
  // Room for the alignment and, just below the returned address, the pointer malloc gave.
  void* raw = QUIL_RAW_MALLOC(size + alignment + sizeof(void*));
  if (!raw) return nullptr;
  const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(raw) + sizeof(void*);
  const std::uintptr_t aligned = (start + alignment - 1) & ~static_cast<std::uintptr_t>(alignment - 1);
  reinterpret_cast<void**>(aligned)[-1] = raw;
  return reinterpret_cast<void*>(aligned);
}

void Release(void* p) {
  CountRelease(p);
  if (p) QUIL_RAW_FREE(static_cast<void**>(p)[-1]);
}

void* AcquireOrThrow(std::size_t size, std::size_t alignment) {
  void* p = Acquire(size, alignment);
  if (!p) throw std::bad_alloc();
  return p;
}

constexpr std::size_t kDefaultAlignment = alignof(std::max_align_t);

}  // namespace

void* operator new(std::size_t size) { return AcquireOrThrow(size, kDefaultAlignment); }
void* operator new[](std::size_t size) { return AcquireOrThrow(size, kDefaultAlignment); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Acquire(size, kDefaultAlignment); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Acquire(size, kDefaultAlignment); }
void* operator new(std::size_t size, std::align_val_t a) { return AcquireOrThrow(size, static_cast<std::size_t>(a)); }
void* operator new[](std::size_t size, std::align_val_t a) { return AcquireOrThrow(size, static_cast<std::size_t>(a)); }
void* operator new(std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept {
  return Acquire(size, static_cast<std::size_t>(a));
}
void* operator new[](std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept {
  return Acquire(size, static_cast<std::size_t>(a));
}

void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete(void* p, std::align_val_t) noexcept { Release(p); }
void operator delete[](void* p, std::align_val_t) noexcept { Release(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { Release(p); }
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept { Release(p); }
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept { Release(p); }

#ifdef QUIL_WRAP_C_ALLOCATOR
extern "C" {
void* __wrap_malloc(std::size_t size) { return Granted() ? __real_malloc(size) : nullptr; }
void* __wrap_calloc(std::size_t count, std::size_t size) { return Granted() ? __real_calloc(count, size) : nullptr; }
// A refused realloc leaves the block as it was, as a failing realloc does.
void* __wrap_realloc(void* block, std::size_t size) { return Granted() ? __real_realloc(block, size) : nullptr; }
void __wrap_free(void* block) {
  CountRelease(block);
  __real_free(block);
}
}
#endif
