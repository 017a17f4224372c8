#include "core/TypedBuffer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

const HeapHooks kCHeap = {std::malloc, std::realloc, std::free};
const HeapHooks* gHeap = &kCHeap;

constexpr int64_t kPage = 4096;
constexpr int64_t kPageSlack = 96;
constexpr int64_t kLargestGrowth = 4194304;

} // namespace

void TypedBuffer::SetHeapHooks(const HeapHooks* hooks)
{
  gHeap = hooks ? hooks : &kCHeap;
}

TypedBuffer::TypedBuffer(int granularity) : mGranularity(granularity) {}

TypedBuffer::~TypedBuffer()
{
  if (mData) gHeap->release(mData);
}

// Returns -1 when the capacity the rule asks for does not fit a 32-bit size.
int TypedBuffer::NewCapacityFor(int newSize) const
{
  if (newSize == 0) return 0;
  int64_t growth = std::max<int64_t>(newSize / 2, mGranularity);
  int64_t capacity;
  if (mGranularity < static_cast<int>(kPage)) {
    capacity = newSize + growth;
  } else {
    growth = std::clamp(growth / kPage * kPage, kPage, kLargestGrowth);
    capacity = (newSize + kPageSlack + growth) / kPage * kPage - kPageSlack;
  }
  return capacity > INT32_MAX ? -1 : static_cast<int>(capacity);
}

bool TypedBuffer::Reallocate(int newCapacity)
{
  void* block = gHeap->reallocate(mData, static_cast<size_t>(newCapacity));
  if (!block) {
    block = gHeap->allocate(static_cast<size_t>(newCapacity));
    if (!block) return false;
    if (mData) {
      std::memcpy(block, mData, static_cast<size_t>(std::min(mSize, newCapacity)));
      gHeap->release(mData);
    }
  }
  mData = block;
  mCapacity = newCapacity;
  return true;
}

void* TypedBuffer::SetSize(int newSize, bool mayRelease)
{
  newSize = std::max(newSize, 0);
  if (newSize == mSize) return Bytes();

  int64_t releaseBelow = 0;
  if (mayRelease && newSize < mSize) {
    releaseBelow = std::min<int64_t>(mCapacity / 2, mCapacity - 4 * int64_t{mGranularity});
    if (releaseBelow <= 0) releaseBelow = 1;
  }

  if (mCapacity < newSize || newSize < releaseBelow) {
    const int newCapacity = NewCapacityFor(newSize);
    if (newCapacity == 0) {
      if (mData) gHeap->release(mData);
      mData = nullptr;
      mCapacity = 0;
      mSize = 0;
      return nullptr;
    }
    if (newCapacity < 0 || !Reallocate(newCapacity)) return mData;
  }
  mSize = newSize;
  return Bytes();
}
