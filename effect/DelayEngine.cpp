#include "effect/DelayEngine.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <limits>

#include "effect/dsp/PortableMath.h"

namespace {

constexpr double kShelfHz = 3386.0;
constexpr double kShelfDb = 6.0;
constexpr double kShelfSlope = 0.707;
constexpr double kLowPassHz = 7000.0;
// At low running rates the 7 kHz low-passes (at 14 kHz and below) and the 3386 Hz shelves (at
// 6772 Hz and below) would sit at or beyond half the rate, where the designs turn unstable; they
// stop just below it instead (the shelves' poles then stay within a radius of 0.96).
constexpr double kHighestDesignFrequency = 0.49;
constexpr double kFollowerMs = 42.0;
constexpr double kCompanderFloor = 1e-3;
constexpr double kMakeUpGain = 1.58489;  // about +4 dB
// Far beyond any real signal (+80 dBFS), small enough that no state can overflow.
constexpr double kInputLimit = 1.0e4;
constexpr double kNoiseLevel = 1.77828e-5;  // about -95 dB

// NaN becomes silence and anything beyond the limit stops at it, so one bad host sample cannot
// leave infinities or NaNs in the filter, follower and memory states.
double Sanitised(double x) {
  if (std::fabs(x) <= kInputLimit) return x;
  return std::isnan(x) ? 0.0 : std::copysign(kInputLimit, x);
}

}  // namespace

DelayEngine::DelayEngine() : mNoiseState(static_cast<std::uint32_t>(std::time(nullptr))) {}

double DelayEngine::NoiseFromValue(std::uint32_t r) {
  // Rounded through single precision at both steps (every build does float arithmetic in SSE
  // registers, so nothing keeps an extended intermediate).
  const float scaled = static_cast<float>(r) / 16383.5f;
  const float centred = static_cast<float>(static_cast<double>(scaled) - 1.0);
  return centred * kNoiseLevel;
}

// The next `count` noise samples: the generator's recursion one value at a time, the conversion
// four at a time where SSE2 allows (each lane rounds exactly as NoiseFromValue does).
void DelayEngine::FillNoise(double* noise, int count) {
  std::int32_t values[kChunk];
  std::uint32_t state = mNoiseState;
  for (int i = 0; i < count; ++i) {
    state = state * 214013u + 2531011u;
    values[i] = static_cast<std::int32_t>((state >> 16) & 0x7FFFu);
  }
  mNoiseState = state;
  int i = 0;
#if defined(__SSE2__)
  for (; i + 4 <= count; i += 4) {
    const __m128 scaled =
        _mm_div_ps(_mm_cvtepi32_ps(_mm_loadu_si128(reinterpret_cast<const __m128i*>(values + i))), _mm_set1_ps(16383.5f));
    const __m128d one = _mm_set1_pd(1.0);
    const __m128d low = _mm_cvtps_pd(_mm_cvtpd_ps(_mm_sub_pd(_mm_cvtps_pd(scaled), one)));
    const __m128d high = _mm_cvtps_pd(_mm_cvtpd_ps(_mm_sub_pd(_mm_cvtps_pd(_mm_movehl_ps(scaled, scaled)), one)));
    _mm_storeu_pd(noise + i, _mm_mul_pd(low, _mm_set1_pd(kNoiseLevel)));
    _mm_storeu_pd(noise + i + 2, _mm_mul_pd(high, _mm_set1_pd(kNoiseLevel)));
  }
#endif
  for (; i < count; ++i) noise[i] = NoiseFromValue(static_cast<std::uint32_t>(values[i]));
}

void DelayEngine::Prepare() {
  const int rate = RunningRate();
  // Nothing can be derived for a rate that is not positive: the previous designs stay.
  if (rate <= 0) return;
  mMemory.SetRate(rate);

  const double shelf = std::min(kShelfHz / rate, kHighestDesignFrequency);
  mInputShelf.Setup(shelf, kShelfDb, kShelfSlope);
  mOutputShelf.Setup(shelf, -kShelfDb, kShelfSlope);

  Dsp::DesignParams lowPass;
  lowPass.sampleRate = 1.0;
  lowPass.cutoffFrequency = std::min(kLowPassHz / rate, kHighestDesignFrequency);
  lowPass.order = 3;
  mInputLowPass.Setup(lowPass);
  lowPass.order = 2;
  mOutputLowPass.Setup(lowPass);

  // Brings a follower 99 % of the way to a constant input in 42 ms.
  const double coefficient = Dsp::PortableMath::Pow(0.01, 1.0 / (rate * kFollowerMs * 0.001));
  for (EnvelopeFollower* follower : {&mFollower1, &mFollower2}) {
    follower->rise = coefficient;
    follower->fall = coefficient;
  }

  // 800 ms at the host rate (positive, so truncation is the floor).
  mMemory.Allocate(static_cast<int>(mSampleRate * 0.8));
  // The circle is measured in samples: at a new rate the range is laid out again, so every delay
  // keeps its time in milliseconds (and a range chosen before there was storage reaches it).
  mMemory.SetMaxMs(static_cast<int>(mRangeMaxMs));
  DeriveClock();
}

void DelayEngine::SetDelayRange(int mode) {
  mHold = false;
  switch (mode) {
    case 1:
      SetRange(50.0, 200.0);
      break;
    case 2:
      SetRange(200.0, 800.0);
      break;
    case 3:
      SetRange(200.0, 800.0);
      mHold = true;
      mMemory.Clear();
      break;
    default:
      SetRange(12.5, 50.0);
      break;
  }
  DeriveClock();
}

void DelayEngine::SetDelayTime(double t) {
  mTime = t > 0.0 ? std::min(t, 1.0) : 0.0;
  DeriveClock();
}

void DelayEngine::SetRange(double minMs, double maxMs) {
  mMemory.SetMaxMs(static_cast<int>(maxMs));
  mRangeMinMs = minMs;
  mRangeMaxMs = maxMs;
}

void DelayEngine::DeriveClock() {
  const int maxMs = mMemory.MaxMs();
  const int curMs = std::min(static_cast<int>(mTime * (mRangeMaxMs - mRangeMinMs) + mRangeMinMs), maxMs);
  mMemory.SetClock(curMs, curMs > 0 ? static_cast<double>(maxMs) / curMs : 0.0);
}

void DelayEngine::ProcessSamples(double* samples, int count) { ProcessSamplesWithDry(samples, nullptr, count); }

void DelayEngine::ProcessSamplesWithDry(double* samples, double* dry, int count) {
  while (count > 0) {
    const int chunk = std::min(count, kChunk);
    ProcessChunk(samples, dry, chunk);
    samples += chunk;
    if (dry) dry += chunk;
    count -= chunk;
  }
}

// The compander is a 2:1 law in decibels (L = 8.685889638065037 dB per neper x ln level, back with
// 0.1151292546497 neper per dB). Compression: gC = -L_e1 dB, that is gC = 1 / e1, with mFollower1
// on the compressed signal that enters the memory, so steadily L_c = L_in - L_c: L_c = 0.5 L_in,
// exponent 0.5. Expansion: gE = +L_e2 dB, gE = e2, with mFollower2 on what leaves the memory:
// L_out = L_d + L_e2 = 2 L_d, exponent 2. Both followers see the same quantised sequence, one
// before and one after the memory, and both gains use the envelope from before the sample's own
// update, so the expander is the exact inverse of the compressor, onsets included, and the loop
// gain stays mFeedback. The floor keeps 1 / e1 finite and sets where the law stops (about
// -120 dBFS); the expander applies the same floor.
//
// Saturation runs over the whole chunk first (its samples are independent, two at a time); the rest
// runs in one loop, so the work on either side of the memory overlaps the loop through it, which
// cannot overlap one sample with the next. Filter states, followers and the noise generator live
// in locals for the chunk.
void DelayEngine::ProcessChunk(double* samples, double* dry, int count) {
  for (int i = 0; i < count; ++i) samples[i] = Sanitised(samples[i]);
  if (mSaturation) Dsp::PortableMath::TanhInPlace(samples, count);
  double noise[kChunk];
  const bool hiss = mHiss;
  if (hiss) FillNoise(noise, count);

  constexpr double kStep = 1.0 / kQuantiserSteps;
  auto inputShelf = mInputShelf.MakeRunner<1>();
  auto inputLowPass = mInputLowPass.MakeRunner<2>();
  auto outputLowPass = mOutputLowPass.MakeRunner<1>();
  auto outputShelf = mOutputShelf.MakeRunner<1>();
  EnvelopeFollower compressor = mFollower1;
  EnvelopeFollower expander = mFollower2;
  double lastOut = mLastOut;
  double dryOut = mDryOut;
  const double feedback = mFeedback;
  const double level = mEffectLevel;
  const bool active = mEffectActive;
  const bool stereo = mStereoMode;
  // The mix freezes the memory from the sample after it, so the first step of a chunk still runs
  // with the flag the previous chunk left.
  const bool freeze = active && mHold;

  for (int i = 0; i < count; ++i) {
    const double emphasised = inputShelf.Run(samples[i]);
    const double v = lastOut * feedback + inputLowPass.Run(emphasised);
    // 2048 / e is exactly 2048 x (1 / e), so v x (2048 / e) is exactly (v / e) x 2048: one
    // multiplication less between one sample's envelope and the next.
    std::int32_t steps;
    const double quantised =
        QuantisedSteps(v * (kQuantiserSteps / std::max(compressor.envelope, kCompanderFloor)), steps);
    compressor.Update(std::fabs(quantised * kStep));
    const double d = mMemory.Step(steps) * kStep;
    mMemory.SetFreeze(freeze);
    const double gain = std::max(expander.envelope, kCompanderFloor);
    expander.Update(std::fabs(d));
    lastOut = d * gain;

    const double wet = outputLowPass.Run(lastOut) * kMakeUpGain;
    double y;
    if (stereo) {
      dryOut = emphasised;
      y = active ? level * wet : 0.0;
    } else {
      y = active ? level * wet + emphasised : emphasised;
    }
    if (dry) dry[i] = dryOut;
    y = outputShelf.Run(y);
    if (hiss) y += noise[i];
    samples[i] = y;
  }

  mInputShelf.Store(inputShelf);
  mInputLowPass.Store(inputLowPass);
  mOutputLowPass.Store(outputLowPass);
  mOutputShelf.Store(outputShelf);
  compressor.DropNegligible();
  expander.DropNegligible();
  mFollower1 = compressor;
  mFollower2 = expander;
  mLastOut = lastOut;
  mDryOut = dryOut;
}
