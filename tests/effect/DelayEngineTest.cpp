#include <cmath>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "effect/DelayEngine.h"
#include "effect/dsp/Shelf.h"
#include "tests/effect/SignalHelpers.h"

namespace {

using effect_test::Db;
using effect_test::Rms;
using effect_test::Sine;
using effect_test::SineGainDb;

constexpr double kRate = 44100.0;

// An engine prepared the way the plug-in prepares it at 44.1 kHz, with a fixed noise sequence.
class DelayEngineFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    engine.SeedNoise(12345);
    engine.SetOversampling(1);
    engine.Prepare();
  }

  void Quiet() {
    engine.mSaturation = false;
    engine.mHiss = false;
  }

  double Run(double x) {
    engine.ProcessSamples(&x, 1);
    return x;
  }

  std::vector<double> Run(const std::vector<double>& in) {
    std::vector<double> out(in);
    engine.ProcessSamples(out.data(), static_cast<int>(out.size()));
    return out;
  }

  DelayEngine engine;
};

TEST_F(DelayEngineFixture, InactiveDryPathIsTheTwoShelves) {
  Quiet();
  engine.SetDelayRange(1);
  struct Case {
    double hz;
    double db;
  };
  for (const Case c : {Case{100.0, -6.0}, Case{3386.0, 0.0}, Case{20000.0, 6.0}})
    EXPECT_NEAR(SineGainDb([this](double x) { return Run(x); }, c.hz, kRate), c.db, 0.05) << c.hz;
}

TEST_F(DelayEngineFixture, InactiveStereoModeSendsTheEmphasisedDryOutAlone) {
  Quiet();
  engine.mSaturation = true;
  engine.mStereoMode = true;
  Dsp::HighShelf reference;
  reference.Setup(3386.0 / kRate, 6.0, 0.707);
  // A first sample of 10 enters the chain as tanh(10). The mix gives exactly 0; the
  // de-emphasis after it leaves only its denormal bias.
  EXPECT_NEAR(std::tanh(10.0), 0.99999999587, 1e-11);
  EXPECT_LT(std::fabs(Run(10.0)), 1e-24);
  EXPECT_NEAR(engine.mDryOut, reference.ProcessSample(std::tanh(10.0)), 1e-12);
  for (const double x : Sine(1000.0, kRate, 2000, 0.5)) {
    EXPECT_LT(std::fabs(Run(x)), 1e-24);
    EXPECT_NEAR(engine.mDryOut, reference.ProcessSample(std::tanh(x)), 1e-12);
  }
}

TEST(DelayEngine, QuantiserTruncatesTowardZeroWithinTheIntegerRange) {
  struct Case {
    double in;
    double out;
  };
  constexpr double kTop = 2147483647.0 / 2048.0;
  const double inf = std::numeric_limits<double>::infinity();
  for (const Case c : {Case{0.3, 0.2998046875}, Case{-0.3, -0.2998046875}, Case{0.0004, 0.0},
                       Case{0.99999, 0.99951171875}, Case{1.5, 1.5}, Case{1048575.0, 1048575.0},
                       Case{1e7, kTop}, Case{-1e300, -kTop}, Case{inf, kTop}, Case{-inf, -kTop},
                       Case{std::nan(""), 0.0}})
    EXPECT_EQ(DelayEngine::Quantise(c.in), c.out) << c.in;
}

TEST(DelayEngine, NoiseStaysNearMinus95Db) {
  EXPECT_DOUBLE_EQ(DelayEngine::NoiseFromValue(0), -1.77828e-5);
  EXPECT_DOUBLE_EQ(DelayEngine::NoiseFromValue(32767), 1.77828e-5);
  EXPECT_NEAR(DelayEngine::NoiseFromValue(16383), -5.4269e-10, 0.0001e-10);

  // Added to silence whether or not the effect is on; the same seed repeats the same sequence.
  DelayEngine a, b, c;
  for (DelayEngine* e : {&a, &b, &c}) {
    e->mSaturation = false;
    e->SetOversampling(1);
    e->SetDelayRange(0);
  }
  a.SeedNoise(7);
  b.SeedNoise(7);
  c.SeedNoise(8);
  int differences = 0;
  double peak = 0.0;
  for (int i = 0; i < 20000; ++i) {
    double x = 0.0, y = 0.0, z = 0.0;
    a.ProcessSamples(&x, 1);
    b.ProcessSamples(&y, 1);
    c.ProcessSamples(&z, 1);
    ASSERT_EQ(x, y);
    differences += x != z;
    peak = std::max(peak, std::fabs(x));
  }
  EXPECT_GT(differences, 19000);
  EXPECT_LE(peak, 1.77828e-5 + 1e-20);
  EXPECT_GT(peak, 1.7e-5);
}

TEST_F(DelayEngineFixture, ClockTableAt44100) {
  struct Case {
    int mode;
    double time;
    int curMs;
    int positions;
    int length;
  };
  const Case cases[] = {
      {0, 0.0, 12, 83, 44100},     {0, 0.25, 21, 48, 44100},    {0, 0.5, 31, 32, 44100},
      {0, 0.75, 40, 25, 44100},    {0, 1.0, 50, 20, 44100},     {1, 0.0, 50, 80, 176400},
      {1, 0.25, 87, 46, 176400},   {1, 0.5, 125, 32, 176400},   {1, 0.75, 162, 25, 176400},
      {1, 1.0, 200, 20, 176400},   {2, 0.0, 200, 80, 705600},   {2, 0.5, 500, 32, 705600},
      {2, 1.0, 800, 20, 705600},   {3, 0.25, 350, 46, 705600},  {3, 0.75, 650, 25, 705600},
      {7, 1.0, 50, 20, 44100},     {-1, 0.0, 12, 83, 44100},
      // Times outside 0..1 are brought into the range.
      {0, -0.5, 12, 83, 44100},    {0, 2.0, 50, 20, 44100},     {0, std::nan(""), 12, 83, 44100},
  };
  for (const Case& c : cases) {
    engine.SetDelayTime(c.time);
    engine.SetDelayRange(c.mode);
    const DelayMemory& memory = engine.Memory();
    EXPECT_EQ(memory.CurMs(), c.curMs) << c.mode << " " << c.time;
    EXPECT_EQ(memory.PositionsPerStep(), c.positions) << c.mode << " " << c.time;
    EXPECT_EQ(memory.Length(), c.length) << c.mode << " " << c.time;
    EXPECT_EQ(engine.Hold(), c.mode == 3);
  }
}

TEST_F(DelayEngineFixture, EchoLeavesTheMemory2204SamplesLater) {
  Quiet();
  engine.SetDelayRange(0);
  engine.SetDelayTime(1.0);
  engine.mEffectActive = true;
  engine.mStereoMode = true;
  std::vector<double> in(2600, 0.0);
  in[0] = 1.0;
  const std::vector<double> out = Run(in);
  // The low-pass before the memory spreads the impulse over a few samples, so the echo starts
  // 2204 samples after the first of them went in.
  for (int i = 0; i < 2204; ++i) ASSERT_LT(std::fabs(out[i]), 1e-20) << i;
  double energy = 0.0;
  for (int i = 2204; i < 2300; ++i) energy += out[i] * out[i];
  EXPECT_GT(energy, 1e-3);
}

struct RepeatLevels {
  std::vector<double> rmsDb;    // over each whole repeat
  std::vector<double> onsetDb;  // peak of each repeat's first 10 ms
};

// One 300 ms burst at 1 kHz into an 800 ms delay, and the repeats that follow.
RepeatLevels BurstRepeats(double burstDb, double feedback, int repeats) {
  DelayEngine engine;
  engine.SeedNoise(1);
  engine.mSaturation = false;
  engine.mHiss = false;
  engine.SetOversampling(1);
  engine.SetDelayRange(2);
  engine.SetDelayTime(1.0);
  engine.mEffectActive = true;
  engine.mStereoMode = true;
  engine.mFeedback = feedback;
  const int lap = 35280;
  const int burst = 13230;
  std::vector<double> signal(lap * (repeats + 1), 0.0);
  const std::vector<double> sine = Sine(1000.0, kRate, burst, std::pow(10.0, burstDb / 20.0));
  std::copy(sine.begin(), sine.end(), signal.begin());
  engine.ProcessSamples(signal.data(), static_cast<int>(signal.size()));
  RepeatLevels levels;
  for (int k = 1; k <= repeats; ++k) {
    levels.rmsDb.push_back(Db(Rms(signal, k * lap - 100, k * lap + burst + 100)));
    double peak = 0.0;
    for (int i = k * lap - 100; i < k * lap + 441; ++i) peak = std::max(peak, std::fabs(signal[i]));
    levels.onsetDb.push_back(Db(peak));
  }
  return levels;
}

// The compander restores what it compressed, onsets included, so every repeat is the previous one
// times the feedback amount, however loud the burst.
TEST(DelayEngine, EveryRepeatIsThePreviousTimesTheFeedback) {
  for (const double burstDb : {-40.0, -20.0, -6.0, 0.0}) {
    for (const double feedback : {0.25, 0.5, 0.9}) {
      const RepeatLevels levels = BurstRepeats(burstDb, feedback, 4);
      for (std::size_t k = 1; k < levels.rmsDb.size(); ++k) {
        EXPECT_NEAR(levels.rmsDb[k] - levels.rmsDb[k - 1], Db(feedback), 0.5)
            << burstDb << " dBFS, feedback " << feedback << ", repeat " << k;
        EXPECT_NEAR(levels.onsetDb[k] - levels.onsetDb[k - 1], Db(feedback), 0.5)
            << "onset, " << burstDb << " dBFS, feedback " << feedback << ", repeat " << k;
      }
    }
  }
}

TEST_F(DelayEngineFixture, HoldLoopsTheRecordingWithoutDecay) {
  Quiet();
  engine.SetDelayRange(3);  // time 0: 200 ms, a loop of 705600 / 80 = 8820 samples
  engine.mFeedback = 0.9;
  engine.mStereoMode = true;
  // Freshly cleared: engaging right away loops silence.
  engine.mEffectActive = true;
  for (int i = 0; i < 20000; ++i) ASSERT_LT(std::fabs(Run(0.0)), 1e-20);

  // Record a burst with the effect off, then engage it on silence.
  engine.mEffectActive = false;
  std::vector<double> recording(8820, 0.0);
  const std::vector<double> burst = Sine(1000.0, kRate, 3000, 0.5);
  std::copy(burst.begin(), burst.end(), recording.begin() + 2000);
  Run(recording);
  engine.mEffectActive = true;
  const std::vector<double> out = Run(std::vector<double>(8820 * 5, 0.0));
  const double first = Rms(out, 0, 8820);
  EXPECT_GT(first, 0.1);
  for (int lap = 1; lap < 5; ++lap) EXPECT_NEAR(Db(Rms(out, lap * 8820, (lap + 1) * 8820) / first), 0.0, 0.1) << lap;
}

// Frame at which an impulse comes back out of a quiet, engaged engine: stereo mode leaves only the
// delayed signal in the output, and without feedback the first echo is the loudest.
int EchoFrame(DelayEngine& engine, int rate) {
  engine.mSaturation = false;
  engine.mHiss = false;
  engine.mStereoMode = true;
  engine.mEffectActive = true;
  engine.mEffectLevel = 1.0;
  engine.mFeedback = 0.0;
  int loudest = 0;
  double peak = 0.0;
  for (int i = 0; i < rate; ++i) {
    double y = i == 0 ? 0.5 : 0.0;
    engine.ProcessSamples(&y, 1);
    if (std::fabs(y) > peak) {
      peak = std::fabs(y);
      loudest = i;
    }
  }
  return loudest;
}

TEST(DelayEngine, RateChangeKeepsEveryDelayTimeInMilliseconds) {
  struct Change {
    int from, to;
  };
  for (const Change change : {Change{44100, 96000}, Change{96000, 44100}, Change{48000, 22050}}) {
    for (const int range : {0, 1, 2}) {
      for (const double time : {0.0, 0.37, 1.0}) {
        DelayEngine changed, fresh;
        changed.SetSampleRate(change.from);
        changed.SetOversampling(1);
        changed.SetDelayRange(range);
        changed.SetDelayTime(time);
        changed.SetSampleRate(change.to);
        changed.Prepare();
        fresh.SetSampleRate(change.to);
        fresh.SetOversampling(1);
        fresh.SetDelayRange(range);
        fresh.SetDelayTime(time);
        const int n = fresh.Memory().PositionsPerStep();
        const int echo = EchoFrame(changed, change.to);
        EXPECT_LE(std::abs(echo - EchoFrame(fresh, change.to)), 1)
            << change.from << " -> " << change.to << " Hz, range " << range << ", time " << time;
        // The clock's delay, 20 x maxMs / n ms, plus well under a millisecond through the filters.
        EXPECT_NEAR(1000.0 * echo / change.to, 20.0 * fresh.Memory().MaxMs() / n, 1.0)
            << change.from << " -> " << change.to << " Hz, range " << range << ", time " << time;
      }
    }
  }
}

TEST(DelayEngine, BeforeAnyRangeItRunsAsRangeZeroTimeZero) {
  DelayEngine fresh, selected;
  for (DelayEngine* e : {&fresh, &selected}) {
    e->SeedNoise(3);
    e->SetOversampling(1);
    e->mEffectActive = true;
    e->mFeedback = 0.5;
  }
  selected.SetDelayRange(0);
  selected.SetDelayTime(0.0);
  EXPECT_EQ(fresh.Memory().Length(), 44100);
  EXPECT_EQ(fresh.Memory().PositionsPerStep(), 83);
  for (const double x : Sine(440.0, kRate, 3000, 0.3)) {
    double a = x, b = x;
    fresh.ProcessSamples(&a, 1);
    selected.ProcessSamples(&b, 1);
    ASSERT_EQ(a, b);
  }
}

TEST(DelayEngine, AuxiliarySettingsChangeNoOutput) {
  DelayEngine plain, adjusted;
  for (DelayEngine* e : {&plain, &adjusted}) {
    e->SeedNoise(5);
    e->SetOversampling(1);
    e->SetDelayRange(1);
    e->mEffectActive = true;
    e->mFeedback = 0.7;
  }
  adjusted.SetAuxCount(6);
  adjusted.SetAuxValue(-3.5);
  for (const double x : Sine(300.0, kRate, 20000, 0.8)) {
    double a = x, b = x;
    plain.ProcessSamples(&a, 1);
    adjusted.ProcessSamples(&b, 1);
    ASSERT_EQ(a, b);
  }
}

// Feeds `bad` for 100 ms early in a sine; a twin engine gets silence there instead.
void ExpectRecoveryFrom(double bad, bool saturation) {
  DelayEngine hit, twin;
  for (DelayEngine* e : {&hit, &twin}) {
    e->SeedNoise(9);
    e->mSaturation = saturation;
    e->SetOversampling(1);
    e->SetDelayRange(0);
    e->SetDelayTime(1.0);
    e->mEffectActive = true;
    e->mFeedback = 0.25;
  }
  const std::vector<double> sine = Sine(500.0, kRate, 3 * 44100, 0.3);
  double worst = 0.0;
  for (std::size_t i = 0; i < sine.size(); ++i) {
    const bool inBadPart = i >= 8820 && i < 13230;
    double a = inBadPart ? bad : sine[i];
    double b = inBadPart ? 0.0 : sine[i];
    hit.ProcessSamples(&a, 1);
    twin.ProcessSamples(&b, 1);
    ASSERT_TRUE(std::isfinite(a)) << bad << " @ " << i;
    ASSERT_TRUE(std::isfinite(hit.LastOut()));
    ASSERT_TRUE(std::isfinite(hit.Follower1().envelope));
    ASSERT_TRUE(std::isfinite(hit.Follower2().envelope));
    if (i >= sine.size() - 22050) worst = std::max(worst, std::fabs(a - b));
  }
  // Back to what the twin plays, up to the quantiser's own noise (-60 dB here): a different past
  // flips the odd truncation, and the feedback carries such flips on.
  EXPECT_LT(worst, 5e-4) << bad << (saturation ? " with" : " without") << " saturation";
}

TEST(DelayEngine, NonFiniteAndHugeInputsDoNotPoisonTheEngine) {
  const double inf = std::numeric_limits<double>::infinity();
  for (const bool saturation : {false, true})
    for (const double bad : {std::nan(""), inf, -inf, 1e300, -3e9}) ExpectRecoveryFrom(bad, saturation);
}

// A follower left to decay on silence sank into the subnormal range and stayed there, and every
// sample then cost about twice as much.
TEST(DelayEngine, SilenceLeavesNoSubnormalEnvelope) {
  DelayEngine engine;
  engine.SeedNoise(5);
  engine.SetSampleRate(48000);
  engine.SetOversampling(1);
  engine.SetDelayRange(1);
  engine.mEffectActive = true;
  engine.mFeedback = 0.5;
  std::vector<double> block = Sine(440.0, 48000.0, 4800, 0.5);
  engine.ProcessSamples(block.data(), static_cast<int>(block.size()));
  for (int second = 0; second < 10; ++second) {
    std::vector<double> silence(48000, 0.0);
    engine.ProcessSamples(silence.data(), static_cast<int>(silence.size()));
  }
  for (const DelayEngine::EnvelopeFollower* f : {&engine.Follower1(), &engine.Follower2()})
    EXPECT_NE(std::fpclassify(f->envelope), FP_SUBNORMAL) << f->envelope;
}

TEST(DelayEngine, EveryAcceptedRateGivesAStableEngine) {
  // Rates where the shelves (6772 Hz and below) and the low-passes (14 kHz and below) would reach
  // half the rate, ordinary rates up to 384 kHz, and rates that are refused (0, negative).
  for (const int rate : {1, 2, 10, 100, 500, 1000, 5000, 6772, 8000, 11025, 14000, 22050, 44100, 96000, 192000,
                         384000, 0, -44100}) {
    DelayEngine engine;
    engine.SeedNoise(11);
    engine.SetSampleRate(rate);
    engine.SetOversampling(1);
    engine.SetDelayRange(1);
    engine.mEffectActive = true;
    engine.mFeedback = 0.8;
    double peak = 0.0;
    for (const double x : Sine(1000.0, 8000.0, 40000, 0.9)) {
      double y = x;
      engine.ProcessSamples(&y, 1);
      ASSERT_TRUE(std::isfinite(y)) << rate;
      peak = std::max(peak, std::fabs(y));
    }
    EXPECT_LT(peak, 10.0) << rate;
  }
}

}  // namespace
