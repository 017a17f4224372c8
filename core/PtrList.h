#pragma once

#include "core/TypedBuffer.h"

#include <cstring>

// A growable list of object pointers. It owns nothing unless its owner calls DeleteAll.
template <typename T>
class PtrList
{
public:
  explicit PtrList(int granularity = 4096) : mSlots(granularity) {}

  int Count() const { return mSlots.CountOf<T*>(); }

  T* At(int index) const
  {
    if (index < 0 || index >= Count()) return nullptr;
    return mSlots.Get<T*>()[index];
  }

  // Returns the pointer once stored; null when the list could not grow (the pointer is dropped and
  // stays the caller's to free).
  T* Append(T* item) { return Insert(Count(), item); }

  // Inserts at index (clamped into 0..count), moving later entries up by one.
  T* Insert(int index, T* item)
  {
    const int count = Count();
    if (!mSlots.SetCount<T*>(count + 1, false)) return nullptr;
    if (index < 0) index = 0;
    if (index > count) index = count;
    T** slots = mSlots.Get<T*>();
    std::memmove(slots + index + 1, slots + index, sizeof(T*) * static_cast<size_t>(count - index));
    slots[index] = item;
    return item;
  }

  // Removes the entry at index without deleting it; returns it, or null outside the list.
  T* Remove(int index)
  {
    if (index < 0 || index >= Count()) return nullptr;
    T** slots = mSlots.Get<T*>();
    T* item = slots[index];
    std::memmove(slots + index, slots + index + 1, sizeof(T*) * static_cast<size_t>(Count() - index - 1));
    mSlots.SetCount<T*>(Count() - 1, false); // shrinking without release never reallocates
    return item;
  }

  // Deletes every element from the last to the first, shrinking the list after each; mayRelease
  // also gives the list's storage back.
  void DeleteAll(bool mayRelease)
  {
    for (int i = Count() - 1; i >= 0; --i) {
      delete mSlots.Get<T*>()[i];
      // A failed release must still drop the deleted slot; shrinking in place cannot fail.
      if (!mSlots.SetCount<T*>(i, mayRelease)) mSlots.SetCount<T*>(i, false);
    }
  }

private:
  TypedBuffer mSlots;
};
