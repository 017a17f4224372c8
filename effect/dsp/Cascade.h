#pragma once

#include "effect/dsp/Complex.h"
#include "effect/dsp/Layout.h"

namespace Dsp {

// One second-order section in direct form II:
//   w[n] = x[n] + A1 w[n-1] + A2 w[n-2];   y[n] = B0 w[n] + B1 w[n-1] + B2 w[n-2]
// (A1, A2 are the negated, a0-normalised denominator coefficients).
struct Stage {
  double A1 = 0.0;
  double A2 = 0.0;
  double B0 = 1.0;
  double B1 = 0.0;
  double B2 = 0.0;

  void SetIdentity() { *this = Stage{}; }
};

// The internal variable of one stage of one channel, one and two samples back.
struct StageState {
  double w1 = 0.0;
  double w2 = 0.0;

  // Keeps the recursion out of the denormal range on silence.
  static constexpr double kDenormalBias = 1e-25;

  // One sample through stage s, in exactly this order of operations.
  double Step(const Stage& s, double x) {
    double w = x + s.A1 * w1;
    w = w + s.A2 * w2;
    w = w + kDenormalBias;
    const double y = s.B0 * w + s.B1 * w1 + s.B2 * w2;
    w2 = w1;
    w1 = w;
    return y;
  }
};

// A chain of stages in storage owned by the derived filter.
class Cascade {
 public:
  Cascade(const Cascade&) = delete;
  Cascade& operator=(const Cascade&) = delete;

  int NumStages() const { return mNumStages; }
  int MaxStages() const { return mMaxStages; }
  const Stage& StageAt(int index) const { return mStages[index]; }

  // Pairs the digital roots into stages and normalises the gain at layout.normalW.
  void SetLayout(const Layout& digital);
  // Complex response of all stages at w radians per sample.
  Complex Response(double w) const;

 protected:
  Cascade(Stage* storage, int maxStages, int numStages)
      : mStages(storage), mMaxStages(maxStages), mNumStages(numStages) {}
  ~Cascade() = default;

  Stage* mStages;
  int mMaxStages;
  int mNumStages;

 private:
  void PlacePoles(const RootList& poles);
  void PlaceZeros(const RootList& zeros);
};

// Storage for a cascade of the given filter order (two poles per stage) and its channel states.
template <int Order, int ChannelCount>
struct CascadeSpace {
  static constexpr int kStages = (Order + 1) / 2;
  Stage mStageStorage[kStages];
  StageState mStateStorage[kStages * ChannelCount];
};

// A cascade that processes audio: every channel has its own state for every stage.
class CascadeFilter : public Cascade {
 public:
  int Channels() const { return mChannels; }

  // frames x channels interleaved samples in place; after each frame the pointer skips `skip`
  // further samples.
  void Process(int frames, double* samples, int skip) {
    for (int frame = 0; frame < frames; ++frame) {
      for (int channel = 0; channel < mChannels; ++channel) {
        *samples = Run(*samples, mStates + channel * mNumStages);
        ++samples;
      }
      samples += skip;
    }
  }

  // One sample of channel 0: the only use the delay engine makes of its filters.
  double ProcessSample(double x) { return Run(x, mStates); }

  // Channel 0 with coefficients and state copied into a value that a loop over a block keeps in
  // registers; Store puts the state back. Stages beyond MaxStages are not run, so the filter must
  // have at most that many.
  template <int MaxStages>
  struct Runner {
    Stage stages[MaxStages];
    StageState states[MaxStages];
    int count;

    double Run(double x) {
#if defined(__GNUC__)
#pragma GCC unroll 4
#endif
      for (int i = 0; i < MaxStages; ++i)
        if (i < count) x = states[i].Step(stages[i], x);
      return x;
    }
  };

  template <int MaxStages>
  Runner<MaxStages> MakeRunner() const {
    Runner<MaxStages> runner{};
    runner.count = mNumStages < MaxStages ? mNumStages : MaxStages;
    for (int i = 0; i < runner.count; ++i) {
      runner.stages[i] = mStages[i];
      runner.states[i] = mStates[i];
    }
    return runner;
  }

  template <int MaxStages>
  void Store(const Runner<MaxStages>& runner) {
    for (int i = 0; i < runner.count; ++i) mStates[i] = runner.states[i];
  }

 protected:
  CascadeFilter(Stage* stages, int maxStages, int numStages, StageState* states, int channels)
      : Cascade(stages, maxStages, numStages), mChannels(channels), mStates(states) {}
  ~CascadeFilter() = default;

 private:
  double Run(double x, StageState* states) const {
    for (int i = 0; i < mNumStages; ++i) x = states[i].Step(mStages[i], x);
    return x;
  }

  int mChannels;
  StageState* mStates;
};

}  // namespace Dsp
