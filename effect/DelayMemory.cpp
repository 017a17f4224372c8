#include "effect/DelayMemory.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <new>


namespace {

// Storage is aligned for vector stores.
constexpr std::align_val_t kAlignment{16};

// Halves away from zero, for |x| within the int range. Written out rather than std::lround, which
// is x87 code in the i386 runtime.
int Nearest(double x) {
  const int whole = static_cast<int>(x);
  const double fraction = x - whole;
  return whole + (fraction >= 0.5 ? 1 : fraction <= -0.5 ? -1 : 0);
}

}  // namespace

DelayMemory::~DelayMemory() { Release(); }

void DelayMemory::Release() {
  ::operator delete[](mItems, kAlignment);
  mItems = nullptr;
  mCapacity = 0;
}

void DelayMemory::Allocate(int frames) {
  Release();
  if (frames > 0 && frames <= INT_MAX / mResolution) {
    const int capacity = mResolution * frames;
    mItems = static_cast<Sample*>(::operator new[](sizeof(Sample) * capacity, kAlignment, std::nothrow));
    if (mItems) mCapacity = capacity;
  }
  Clear();
  mLength = std::min(mLength, mCapacity);
}

void DelayMemory::SetMaxMs(int ms) {
  mMaxMs = ms;
  const double frames = ms / 1000.0 * mRate;
  // A non-positive rate or time, or one beyond any storage, leaves no usable circle.
  const int n = frames > 0.0 && frames < INT_MAX / mResolution ? Nearest(frames) : 0;
  mLength = std::min(mResolution * n, mCapacity);
  if (mWriteIndex >= mLength) mWriteIndex = std::max(mLength - 1, 0);
}

void DelayMemory::Clear() {
  std::fill_n(mItems, mCapacity, 0);
  mWriteIndex = 0;
}

void DelayMemory::SetClock(int curMs, double step) {
  mCurMs = curMs;
  mStep = step;
  const double positions = mResolution * step;
  // Non-positive and NaN clocks stop the memory; the bound keeps the integer conversion defined.
  mPositionsPerStep = positions > 0.0 ? Nearest(std::min(positions, double(INT_MAX / 2))) : 0;
}
