#include "effect/DelayEngine.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <limits>

namespace {

constexpr double kShelfHz = 3386.0;
constexpr double kShelfDb = 6.0;
constexpr double kShelfSlope = 0.707;
constexpr double kLowPassHz = 7000.0;
// At running rates of about 14 kHz and below the 7 kHz low-passes would sit at or beyond half the
// rate, where the designs turn unstable; they stop just below it instead.
constexpr double kHighestLowPassCutoff = 0.49;
constexpr double kFollowerMs = 42.0;
constexpr double kMakeUpGain = 1.58489;  // about +4 dB
constexpr double kQuantiserSteps = 2048.0;
// Keeps trunc(v x 2048) inside a 32-bit integer; larger values stop there.
constexpr double kQuantiserLimit = 2147483647.0;
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

double DelayEngine::Quantise(double v) {
  const double product = v * kQuantiserSteps;
  const double scaled = std::isnan(product) ? 0.0 : std::clamp(product, -kQuantiserLimit, kQuantiserLimit);
  return static_cast<std::int32_t>(scaled) / kQuantiserSteps;
}

double DelayEngine::NoiseFromValue(std::uint32_t r) {
  // Rounded through single precision the way the pedal model's noise always was.
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

  mInputShelf.Setup(kShelfHz / rate, kShelfDb, kShelfSlope);
  mOutputShelf.Setup(kShelfHz / rate, -kShelfDb, kShelfSlope);

  Dsp::DesignParams lowPass;
  lowPass.sampleRate = 1.0;
  lowPass.cutoffFrequency = std::min(kLowPassHz / rate, kHighestLowPassCutoff);
  lowPass.order = 3;
  mInputLowPass.Setup(lowPass);
  lowPass.order = 2;
  mOutputLowPass.Setup(lowPass);

  // Brings a follower 99 % of the way to a constant input in 42 ms.
  const double coefficient = std::pow(0.01, 1.0 / (rate * kFollowerMs * 0.001));
  for (EnvelopeFollower* follower : {&mFollower1, &mFollower2}) {
    follower->rise = coefficient;
    follower->fall = coefficient;
  }

  // 800 ms at the host rate.
  mMemory.Allocate(static_cast<int>(std::floor(mSampleRate * 0.8)));
  if (mMemory.Length() == 0) {
    // No range has reached the memory yet (none selected, or selected before there was storage).
    mMemory.SetMaxMs(static_cast<int>(mRangeMaxMs));
    DeriveClock();
  }
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

void DelayEngine::ProcessSamples(double* samples, int count) {
  for (int i = 0; i < count; ++i) samples[i] = ProcessSample(samples[i]);
}

// The compander is a 2:1 law in decibels (L = 8.685889638065037 dB per neper x ln level, back with
// 0.1151292546497 neper per dB): the memory holds the level at exponent 0.5, L_c = 0.5 L_in, and
// the expander applies exponent 2, L_out = L_d + L_e2 = 2 L_d, which works out to gE = e2, the
// follower of what leaves the memory. gC makes the compressor the exact inverse of that expander:
// mFollower1 runs on the compressed, quantised signal that enters the memory, the same sequence
// mFollower2 will see when it leaves, and gC is the gain for which c x e1' = v, with e1' the
// follower after taking c. With A = 1 - coefficient and B = coefficient x e1 that is
// gC = 2 / (B + sqrt(B^2 + 4 A |v|)): steadily |c| ~ sqrt(|v|), and expansion tracks compression
// sample by sample, onsets included, so the loop gain stays mFeedback.
double DelayEngine::Compress(double v) {
  const double level = std::fabs(v);
  const double e = mFollower1.envelope;
  // The follower rises exactly when |c| > e, that is when |v| > e^2.
  const double coefficient = mFollower1.Coefficient(level > e * e);
  const double B = coefficient * e;
  // The smallest normal double keeps the gain finite when both the input and the follower are 0.
  const double gain = 2.0 / (B + std::sqrt(B * B + 4.0 * (1.0 - coefficient) * level) +
                             std::numeric_limits<double>::min());
  const double c = Quantise(v * gain);
  mFollower1.Update(std::fabs(c));
  return c;
}

double DelayEngine::ProcessSample(double x) {
  x = Sanitised(x);
  if (mSaturation) x = std::tanh(x);
  x = mInputShelf.ProcessSample(x);
  const double dry = x;

  double v = mInputLowPass.ProcessSample(x);
  v = mLastOut * mFeedback + v;
  double d = mMemory.Step(Compress(v));
  mFollower2.Update(std::fabs(d));
  d = d * mFollower2.envelope;
  mLastOut = d;
  const double wet = mOutputLowPass.ProcessSample(d) * kMakeUpGain;

  double y;
  if (mEffectActive) {
    mMemory.SetFreeze(mHold);
    if (mStereoMode) {
      mDryOut = dry;
      y = mEffectLevel * wet;
    } else {
      y = mEffectLevel * wet + dry;
    }
  } else {
    mMemory.SetFreeze(false);
    if (mStereoMode) {
      mDryOut = dry;
      y = 0.0;
    } else {
      y = dry;
    }
  }

  y = mOutputShelf.ProcessSample(y);
  if (mHiss) y += NextNoise();
  return y;
}
