#pragma once

#include "effect/dsp/Complex.h"

namespace Dsp {

// Arguments of every pole/zero design. Only cutoffFrequency / sampleRate enters a design.
struct DesignParams {
  int order = 0;
  double sampleRate = 1.0;
  double cutoffFrequency = 0.25;
  double spare = 0.0;
  double stopBandDb = 0.0;
};

// A bounded list of complex roots living in storage owned elsewhere.
class RootList {
 public:
  RootList(Complex* storage, int capacity) : mRoots(storage), mCapacity(capacity) {}

  int Count() const { return mCount; }
  const Complex& operator[](int i) const { return mRoots[i]; }
  void Clear() { mCount = 0; }
  // Roots beyond the capacity are dropped: a design never writes past its storage.
  void Add(const Complex& root) {
    if (mCount < mCapacity) mRoots[mCount++] = root;
  }

 private:
  Complex* mRoots;
  int mCapacity;
  int mCount = 0;
};

// Poles and zeros of an analog prototype or a digital filter, plus where and to what gain the
// finished cascade is normalised.
class Layout {
 public:
  Layout(const Layout&) = delete;
  Layout& operator=(const Layout&) = delete;

  void Reset() {
    poles.Clear();
    zeros.Clear();
    normalW = 0.0;
    normalGain = 1.0;
  }

  RootList poles;
  RootList zeros;
  double normalW = 0.0;
  double normalGain = 1.0;

 protected:
  Layout(Complex* poleStorage, Complex* zeroStorage, int capacity)
      : poles(poleStorage, capacity), zeros(zeroStorage, capacity) {}
  ~Layout() = default;
};

// A layout with room for Order poles and Order zeros.
template <int Order>
class LayoutSpace : public Layout {
 public:
  LayoutSpace() : Layout(mPoleStorage, mZeroStorage, Order) {}

 private:
  Complex mPoleStorage[Order];
  Complex mZeroStorage[Order];
};

}  // namespace Dsp
