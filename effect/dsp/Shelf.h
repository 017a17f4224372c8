#pragma once

#include "effect/dsp/Cascade.h"

namespace Dsp {

// One-stage shelving filters from the cookbook formulas. Frequencies are fractions of the rate the
// filter runs at; both shelves have half their gain (in dB) at the shelf frequency.
class HighShelf : private CascadeSpace<2, 1>, public CascadeFilter {
 public:
  HighShelf() : CascadeFilter(mStageStorage, kStages, kStages, mStateStorage, 1) {}
  // 0 dB at DC, gainDb at half the rate. Keeps the state.
  void Setup(double frequency, double gainDb, double slope);
};

class LowShelf : private CascadeSpace<2, 1>, public CascadeFilter {
 public:
  LowShelf() : CascadeFilter(mStageStorage, kStages, kStages, mStateStorage, 1) {}
  // gainDb at DC, 0 dB at half the rate. Keeps the state.
  void Setup(double frequency, double gainDb, double slope);
};

}  // namespace Dsp
