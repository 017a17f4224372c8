// The constants that make the pedal's sound, each against its worked number: the 7 kHz low-passes,
// the 42 ms followers, the noise generator and the moment hold mode freezes the memory.
#include <cmath>
#include <complex>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "effect/DelayEngine.h"
#include "tests/effect/SignalHelpers.h"

namespace {

using effect_test::AgreesTo;
using effect_test::kPi;

DelayEngine* Prepared(DelayEngine& engine, int rate) {
  engine.SetSampleRate(rate);
  engine.SetOversampling(1);
  engine.Prepare();
  return &engine;
}

template <class Filter>
double GainDb(const Filter& filter, double hz, int rate) {
  return 20.0 * std::log10(std::abs(filter.Response(2.0 * kPi * hz / rate)));
}

// Butterworth low-passes at 7 kHz, third order before the memory and second order after it:
// |H|^2 = 1 / (1 + (tan(pi f / R) / tan(pi 7000 / R))^(2 n)).
TEST(DelayEngineSound, LowPassesAreButterworthAt7kHz) {
  struct Case {
    int rate;
    double hz;
    double inputDb;   // order 3
    double outputDb;  // order 2
  };
  for (const Case c : {Case{44100, 1000.0, -0.0000220, -0.0012802}, Case{44100, 7000.0, -3.0103000, -3.0103000},
                       Case{44100, 14000.0, -27.2362995, -18.2180162}, Case{96000, 7000.0, -3.0103000, -3.0103000},
                       Case{96000, 14000.0, -19.5666954, -13.2240929}}) {
    DelayEngine engine;
    Prepared(engine, c.rate);
    EXPECT_NEAR(GainDb(engine.InputLowPass(), c.hz, c.rate), c.inputDb, 1e-4) << c.rate << " Hz, at " << c.hz;
    EXPECT_NEAR(GainDb(engine.OutputLowPass(), c.hz, c.rate), c.outputDb, 1e-4) << c.rate << " Hz, at " << c.hz;
  }
}

// c = 0.01^(1 / (R x 0.042)): both followers, rising and falling, get 99 % of the way in 42 ms.
TEST(DelayEngineSound, FollowersTake42MsToGet99PercentOfTheWay) {
  struct Case {
    int rate;
    double coefficient;
  };
  for (const Case c : {Case{44100, 0.997516763873}, Case{48000, 0.997718296444}, Case{96000, 0.998858496707}}) {
    DelayEngine engine;
    Prepared(engine, c.rate);
    for (const DelayEngine::EnvelopeFollower* f : {&engine.Follower1(), &engine.Follower2()}) {
      EXPECT_TRUE(AgreesTo(f->rise, c.coefficient)) << c.rate;
      EXPECT_TRUE(AgreesTo(f->fall, c.coefficient)) << c.rate;
    }
  }
}

// The hiss is s = s x 214013 + 2531011 (mod 2^32), r = (s >> 16) & 0x7FFF, scaled to +-1.77828e-5:
// on silence, with every other stage quiet, the output is the generator's sequence.
TEST(DelayEngineSound, HissIsTheLinearCongruentialSequence) {
  DelayEngine engine;
  Prepared(engine, 44100);
  engine.mSaturation = false;
  engine.SetDelayRange(0);
  engine.SeedNoise(0);
  std::vector<double> out(1000, 0.0);
  engine.ProcessSamples(out.data(), static_cast<int>(out.size()));
  // Worked from seed 0: r = 38, 7719, 21238.
  EXPECT_NEAR(out[0], -1.7741554653e-05, 1e-15);
  EXPECT_NEAR(out[1], -9.404527392e-06, 1e-15);
  EXPECT_NEAR(out[2], 5.269118789e-06, 1e-15);
  std::uint32_t s = 0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    s = s * 214013u + 2531011u;
    ASSERT_NEAR(out[i], DelayEngine::NoiseFromValue((s >> 16) & 0x7FFFu), 1e-20) << i;
  }
}

// Engaging the effect in hold mode freezes the memory from the sample after: the first engaged
// sample is still recorded into the loop, the second is not.
TEST(DelayEngineSound, HoldFreezesFromTheSampleAfterEngaging) {
  constexpr int kLoop = 8820;  // time 0 in hold: 200 ms
  double loopEnergy[2] = {0.0, 0.0};
  for (int late = 0; late < 2; ++late) {
    DelayEngine engine;
    Prepared(engine, 44100);
    engine.SeedNoise(1);
    engine.mSaturation = false;
    engine.mHiss = false;
    engine.mStereoMode = true;  // the mix is the delayed part alone
    engine.SetDelayRange(3);
    std::vector<double> recording(kLoop, 0.0);
    engine.ProcessSamples(recording.data(), kLoop);
    engine.mEffectActive = true;
    std::vector<double> played(4 * kLoop, 0.0);
    played[static_cast<std::size_t>(late)] = 1.0;
    engine.ProcessSamples(played.data(), static_cast<int>(played.size()));
    for (std::size_t i = kLoop; i < played.size(); ++i) loopEnergy[late] += played[i] * played[i];
  }
  EXPECT_GT(loopEnergy[0], 1e-6) << "the first engaged sample is part of the loop";
  EXPECT_LT(loopEnergy[1], 1e-30) << "the second engaged sample came after the freeze";
}

}  // namespace
