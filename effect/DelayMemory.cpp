#include "effect/DelayMemory.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <new>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Storage is aligned for vector stores.
constexpr std::align_val_t kAlignment{16};

// Halves away from zero.
int Nearest(double x) { return static_cast<int>(std::lround(x)); }

// Runs are short (about 20 to 83 positions) and written every sample, so they get explicit
// 16-byte stores rather than whatever the optimiser makes of a plain loop.
void FillRun(double* to, int count, double x) {
#if defined(__SSE2__)
  const __m128d pair = _mm_set1_pd(x);
  int i = 0;
  for (; i + 8 <= count; i += 8) {
    _mm_storeu_pd(to + i, pair);
    _mm_storeu_pd(to + i + 2, pair);
    _mm_storeu_pd(to + i + 4, pair);
    _mm_storeu_pd(to + i + 6, pair);
  }
  for (; i + 2 <= count; i += 2) _mm_storeu_pd(to + i, pair);
  if (i < count) to[i] = x;
#else
  std::fill_n(to, count, x);
#endif
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
    mItems = static_cast<double*>(::operator new[](sizeof(double) * capacity, kAlignment, std::nothrow));
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
  std::fill_n(mItems, mCapacity, 0.0);
  mWriteIndex = 0;
}

void DelayMemory::SetClock(int curMs, double step) {
  mCurMs = curMs;
  mStep = step;
  const double positions = mResolution * step;
  // Non-positive and NaN clocks stop the memory; the bound keeps the integer conversion defined.
  mPositionsPerStep = positions > 0.0 ? Nearest(std::min(positions, double(INT_MAX / 2))) : 0;
}

double DelayMemory::Record(double x) {
  const int n = mPositionsPerStep;
  if (n >= mLength) {
    // The whole circle is overwritten, some positions several times over.
    FillRun(mItems, mLength, x);
  } else {
    // The n positions from the write index, as at most two contiguous runs.
    const int firstRun = std::min(n, mLength - mWriteIndex);
    FillRun(mItems + mWriteIndex, firstRun, x);
    FillRun(mItems, n - firstRun, x);
  }
  return Replay();
}

double DelayMemory::Replay() {
  const int n = mPositionsPerStep;
  if (n < mLength) {
    mWriteIndex += n;
    if (mWriteIndex >= mLength) mWriteIndex -= mLength;
  } else {
    mWriteIndex = static_cast<int>((static_cast<std::int64_t>(mWriteIndex) + n) % mLength);
  }
  return mItems[mWriteIndex];
}
