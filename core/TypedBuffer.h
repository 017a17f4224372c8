#pragma once

#include <cstddef>
#include <cstdint>

// The C-heap functions every TypedBuffer allocates through. Tests swap them to provoke allocation
// failures; the product never changes them.
struct HeapHooks
{
  void* (*allocate)(size_t bytes);
  void* (*reallocate)(void* block, size_t bytes);
  void (*release)(void* block);
};

// A growable block of bytes or plain values. Every buffer of the system grows by the same rule:
// half the requested size again (at least one granule), and buffers with a granularity of 4096 or
// more keep their allocations 96 bytes short of a page multiple. Allocation failure never aborts:
// the buffer is left exactly as it was.
class TypedBuffer
{
public:
  explicit TypedBuffer(int granularity = 4096);
  ~TypedBuffer();
  TypedBuffer(const TypedBuffer&) = delete;
  TypedBuffer& operator=(const TypedBuffer&) = delete;

  // Sets the size in bytes (negative counts as 0). Returns the storage, or null when the resulting
  // size is 0. On allocation failure the size stays as it was and the old storage is returned.
  void* SetSize(int newSize, bool mayRelease);

  void* Bytes() const { return mSize > 0 ? mData : nullptr; }
  int Size() const { return mSize; }
  int Capacity() const { return mCapacity; }
  int Granularity() const { return mGranularity; }

  // Typed views for buffers that hold plain values of one type.
  template <typename T> T* Get() const { return static_cast<T*>(Bytes()); }
  template <typename T> int CountOf() const { return mSize / static_cast<int>(sizeof(T)); }
  // Resizes to count elements; false (buffer unchanged) when the byte size does not fit an int or
  // the allocation fails.
  template <typename T> bool SetCount(int count, bool mayRelease)
  {
    const int64_t bytes = static_cast<int64_t>(count < 0 ? 0 : count) * static_cast<int64_t>(sizeof(T));
    if (bytes > INT32_MAX) return false;
    SetSize(static_cast<int>(bytes), mayRelease);
    return mSize == static_cast<int>(bytes);
  }

  // Replaces the heap functions of every buffer; null restores the C heap. For tests only.
  static void SetHeapHooks(const HeapHooks* hooks);

private:
  int NewCapacityFor(int newSize) const;
  bool Reallocate(int newCapacity);

  void* mData = nullptr;
  int32_t mCapacity = 0;
  int32_t mSize = 0;
  int32_t mGranularity;
};
