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

double DelayEngine::NextNoise() {
  mNoiseState = mNoiseState * 214013u + 2531011u;
  return NoiseFromValue((mNoiseState >> 16) & 0x7FFFu);
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
inline double DelayEngine::Compress(double v) {
  const double gain = 1.0 / std::max(mFollower1.envelope, kCompanderFloor);
  const double c = Quantise(v * gain);
  mFollower1.Update(std::fabs(c));
  return c;
}

inline double DelayEngine::Expand(double d) {
  const double gain = std::max(mFollower2.envelope, kCompanderFloor);
  mFollower2.Update(std::fabs(d));
  return d * gain;
}

void DelayEngine::ProcessChunk(double* samples, double* dry, int count) {
  double emphasised[kChunk];
  for (int i = 0; i < count; ++i) {
    double x = Sanitised(samples[i]);
    if (mSaturation) x = Dsp::PortableMath::Tanh(x);
    x = mInputShelf.ProcessSample(x);
    emphasised[i] = x;
    samples[i] = mInputLowPass.ProcessSample(x);
  }

  // The mix freezes the memory from the sample after the first on.
  const bool freeze = mEffectActive && mHold;
  for (int i = 0; i < count; ++i) {
    const double v = mLastOut * mFeedback + samples[i];
    const double d = Expand(mMemory.Step(Compress(v)));
    mMemory.SetFreeze(freeze);
    mLastOut = d;
    samples[i] = d;
  }

  for (int i = 0; i < count; ++i) {
    const double wet = mOutputLowPass.ProcessSample(samples[i]) * kMakeUpGain;
    double y;
    if (mStereoMode) {
      mDryOut = emphasised[i];
      y = mEffectActive ? mEffectLevel * wet : 0.0;
    } else {
      y = mEffectActive ? mEffectLevel * wet + emphasised[i] : emphasised[i];
    }
    if (dry) dry[i] = mDryOut;
    y = mOutputShelf.ProcessSample(y);
    if (mHiss) y += NextNoise();
    samples[i] = y;
  }
}
