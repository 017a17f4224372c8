#include "tests/effect/AllocationCounter.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace allocation_counter {

namespace {
std::atomic<long> gAllocations{0};
std::atomic<int> gFailures{0};
}  // namespace

long Allocations() { return gAllocations.load(); }
void FailNext(int count) { gFailures.store(count); }

}  // namespace allocation_counter

namespace {

// Null when the allocation is to fail.
void* Acquire(std::size_t size, std::size_t alignment) {
  ++allocation_counter::gAllocations;
  int failures = allocation_counter::gFailures.load();
  while (failures > 0) {
    if (allocation_counter::gFailures.compare_exchange_weak(failures, failures - 1)) return nullptr;
  }
  // Room for the alignment and, just below the returned address, the pointer malloc gave.
  void* raw = std::malloc(size + alignment + sizeof(void*));
  if (!raw) return nullptr;
  const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(raw) + sizeof(void*);
  const std::uintptr_t aligned = (start + alignment - 1) & ~static_cast<std::uintptr_t>(alignment - 1);
  reinterpret_cast<void**>(aligned)[-1] = raw;
  return reinterpret_cast<void*>(aligned);
}

void Release(void* p) {
  if (p) std::free(static_cast<void**>(p)[-1]);
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
