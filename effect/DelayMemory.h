#pragma once

#include <algorithm>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The clocked sample store of the delay: the delay time is set by how many positions the memory
// advances per input sample, not by moving a read pointer. Every input sample is written into that
// many consecutive positions and the sample read out is the oldest one, the next to be overwritten.
// It stores what the engine's quantiser produces, a whole number of steps, as a 32-bit integer: a
// quarter of the room the same values take as doubles, and every one of them exact.
class DelayMemory {
 public:
  using Sample = std::int32_t;

  DelayMemory() = default;
  ~DelayMemory();
  DelayMemory(const DelayMemory&) = delete;
  DelayMemory& operator=(const DelayMemory&) = delete;

  // Room for `frames` input samples at the slowest clock, cleared. On a failed allocation (or a
  // frame count of 0 or less) the memory holds nothing and reads silence.
  void Allocate(int frames);
  // The circle for a range maximum of `ms` at the current rate, bounded by the capacity.
  void SetMaxMs(int ms);
  // Sets every position to 0 and restarts writing at position 0.
  void Clear();
  // Advances by one input sample and returns the oldest stored one.
  Sample Step(Sample x) {
    if (mPositionsPerStep <= 0 || mLength <= 0) return 0;
    return mFreeze ? Replay() : Record(x);
  }

  // Running sample rate that sizes the circle in SetMaxMs; 0 or less gives an empty circle.
  void SetRate(int rate) { mRate = rate; }
  // Current delay time and the clock ratio: about resolution x step positions per input sample.
  void SetClock(int curMs, double step);
  // While frozen nothing is written and the stored circle repeats.
  void SetFreeze(bool freeze) { mFreeze = freeze; }

  int Resolution() const { return mResolution; }
  int Capacity() const { return mCapacity; }
  int Rate() const { return mRate; }
  int MaxMs() const { return mMaxMs; }
  int CurMs() const { return mCurMs; }
  double StepRatio() const { return mStep; }
  int PositionsPerStep() const { return mPositionsPerStep; }
  int WriteIndex() const { return mWriteIndex; }
  int Length() const { return mLength; }
  bool Freeze() const { return mFreeze; }
  // Bytes of sample storage held.
  std::int64_t StorageBytes() const { return static_cast<std::int64_t>(mCapacity) * sizeof(Sample); }

 private:
  // Runs are short (about 20 to 83 positions) and written every sample, so they get explicit
  // 16-byte stores rather than whatever the optimiser makes of a plain loop.
  static void FillRun(Sample* to, int count, Sample x) {
#if defined(__SSE2__)
    const __m128i four = _mm_set1_epi32(x);
    int i = 0;
    for (; i + 16 <= count; i += 16) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), four);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i + 4), four);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i + 8), four);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i + 12), four);
    }
    for (; i + 4 <= count; i += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), four);
    for (; i < count; ++i) to[i] = x;
#else
    std::fill_n(to, count, x);
#endif
  }

  // Writes n positions from the write index, then moves on like Replay.
  Sample Record(Sample x) {
    const int n = mPositionsPerStep;
    if (n >= mLength) {
      // The whole circle is overwritten, some positions several times over.
      FillRun(mItems, mLength, x);
    } else {
      // As at most two contiguous runs.
      const int firstRun = std::min(n, mLength - mWriteIndex);
      FillRun(mItems + mWriteIndex, firstRun, x);
      FillRun(mItems, n - firstRun, x);
    }
    return Replay();
  }

  // Moves n positions on without writing and reads the position reached.
  Sample Replay() {
    const int n = mPositionsPerStep;
    if (n < mLength) {
      mWriteIndex += n;
      if (mWriteIndex >= mLength) mWriteIndex -= mLength;
    } else {
      mWriteIndex = static_cast<int>((static_cast<std::int64_t>(mWriteIndex) + n) % mLength);
    }
    return mItems[mWriteIndex];
  }

  void Release();

  Sample* mItems = nullptr;
  int mResolution = 20;
  int mCapacity = 0;
  double mStep = 0.0;
  int mRate = 44100;
  int mMaxMs = 0;
  int mCurMs = 0;
  int mWriteIndex = 0;
  int mLength = 0;
  bool mFreeze = false;
  // nearest(resolution x step), worked out when the clock is set rather than per sample.
  int mPositionsPerStep = 0;
};
