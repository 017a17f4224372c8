#pragma once

#include <cmath>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "effect/AudioProcessor.h"
#include "effect/DelayMemory.h"
#include "effect/dsp/PoleFilter.h"
#include "effect/dsp/Shelf.h"

// The pedal: optional tanh saturation, treble emphasis, an anti-alias low-pass, feedback, a
// compressor and a 2048-step quantiser in front of the variable-clock memory, an expander, a
// reconstruction low-pass, make-up gain, the dry/wet mix, de-emphasis and a noise floor. Mono,
// sample by sample, in double precision at the running rate.
class DelayEngine : public AudioProcessor {
 public:
  static constexpr double kQuantiserSteps = 2048.0;
  static constexpr double kQuantiserLimit = 2147483647.0;

  // One-pole level follower on a rectified signal, with separate rise and fall coefficients.
  struct EnvelopeFollower {
    double envelope = 0.0;
    double rise = 0.0;
    double fall = 0.0;

    // With equal coefficients (as the engine sets them) there is nothing to choose, and no branch
    // left for the processor to mispredict on every other sample of a waveform.
    double Coefficient(bool rising) const { return rise == fall ? rise : rising ? rise : fall; }
    void Update(double a) { envelope = (envelope - a) * Coefficient(a > envelope) + a; }
    // Below 2^-65 an envelope no longer changes anything: the gains stop at their floor, and the
    // next input that is not 0 (at least one quantiser step, 2^-11) subtracts it without a trace.
    // Left to decay it would sink into the subnormal range and stay there (x c rounds back to x),
    // where every update costs many times as much: after a few seconds of silence, twice the CPU.
    void DropNegligible() {
      if (envelope < 0x1p-65) envelope = 0.0;
    }
  };

  // Before the first range selection the engine runs as range 0 at time 0.
  DelayEngine();

  void ProcessSamples(double* samples, int count) override;
  void Prepare() override;
  // ProcessSamples that also hands out, for every sample, mDryOut as it stands after that sample
  // (stereo mode's dry signal). `dry` may be null.
  void ProcessSamplesWithDry(double* samples, double* dry, int count);

  // 0 "12.5ms - 50ms" (also any unknown mode), 1 "50ms - 200ms", 2 "200ms - 800ms", 3 hold.
  void SetDelayRange(int mode);
  // t in 0..1 within the current range; values outside (NaN included) are brought into it.
  void SetDelayTime(double t);

  // Restarts the noise sequence, for renders and tests that must repeat exactly.
  void SeedNoise(std::uint32_t seed) { mNoiseState = seed; }

  // v truncated toward zero to a multiple of 1/2048, through a 32-bit integer: beyond its range
  // the value stops at the largest step, and NaN becomes 0.
  static double Quantise(double v) { return QuantiserSteps(v * kQuantiserSteps) * (1.0 / kQuantiserSteps); }
  // The whole number of steps in `scaled` (v x 2048), as Quantise counts them.
  static std::int32_t QuantiserSteps(double scaled) {
    std::int32_t steps;
    QuantisedSteps(scaled, steps);
    return steps;
  }
  // The same count, also handed back as a double without a trip through the integer registers:
  // the compressor's envelope waits on it every sample.
  static double QuantisedSteps(double scaled, std::int32_t& steps) {
    if (!(std::fabs(scaled) <= kQuantiserLimit))
      scaled = std::isnan(scaled) ? 0.0 : std::copysign(kQuantiserLimit, scaled);
#if defined(__SSE2__)
    const __m128i truncated = _mm_cvttpd_epi32(_mm_set_sd(scaled));
    steps = _mm_cvtsi128_si32(truncated);
    return _mm_cvtsd_f64(_mm_cvtepi32_pd(truncated));
#else
    steps = static_cast<std::int32_t>(scaled);
    return steps;
#endif
  }
  // The noise sample for a generator output r in 0..32767.
  static double NoiseFromValue(std::uint32_t r);

  const DelayMemory& Memory() const { return mMemory; }
  bool Hold() const { return mHold; }
  double RangeMinMs() const { return mRangeMinMs; }
  double RangeMaxMs() const { return mRangeMaxMs; }
  double Time() const { return mTime; }
  double LastOut() const { return mLastOut; }
  const EnvelopeFollower& Follower1() const { return mFollower1; }
  const EnvelopeFollower& Follower2() const { return mFollower2; }
  const Dsp::HighShelf& InputShelf() const { return mInputShelf; }
  const Dsp::LowShelf& OutputShelf() const { return mOutputShelf; }
  const Dsp::ButterLowPass<3, 1>& InputLowPass() const { return mInputLowPass; }
  const Dsp::ButterLowPass<2, 1>& OutputLowPass() const { return mOutputLowPass; }

  // Written by the plug-in.
  double mDryOut = 0.0;
  bool mEffectActive = false;
  bool mStereoMode = false;
  bool mHiss = true;
  bool mSaturation = true;
  double mFeedback = 0.0;
  double mEffectLevel = 1.0;

 private:
  // The chain runs chunk by chunk, its states in locals for the length of a chunk.
  static constexpr int kChunk = 64;
  void ProcessChunk(double* samples, double* dry, int count);
  void FillNoise(double* noise, int count);
  void SetRange(double minMs, double maxMs);
  void DeriveClock();

  bool mHold = false;
  DelayMemory mMemory;
  double mRangeMinMs = 12.5;
  double mRangeMaxMs = 50.0;
  double mTime = 0.0;
  double mLastOut = 0.0;
  Dsp::HighShelf mInputShelf;
  Dsp::LowShelf mOutputShelf;
  Dsp::ButterLowPass<3, 1> mInputLowPass;
  Dsp::ButterLowPass<2, 1> mOutputLowPass;
  EnvelopeFollower mFollower1;
  EnvelopeFollower mFollower2;
  std::uint32_t mNoiseState;
};
