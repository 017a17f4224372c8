#include <cmath>

#include <gtest/gtest.h>

#include "effect/AudioProcessor.h"
#include "tests/effect/SignalHelpers.h"

namespace {

using effect_test::AgreesTo;
using effect_test::Db;
using effect_test::kPi;

// Records what the base asks of the derived engine.
class RecordingProcessor : public AudioProcessor {
 public:
  void ProcessSamples(double*, int) override {}
  void Prepare() override {
    ++prepares;
    preparedRate = RunningRate();
  }

  int prepares = 0;
  int preparedRate = 0;
};

void ExpectDegenerateStages(const AudioProcessor::ResamplingFilter& filter) {
  ASSERT_EQ(filter.NumStages(), 3);
  for (int i = 0; i < 3; ++i) {
    const Dsp::Stage& s = filter.StageAt(i);
    EXPECT_TRUE(AgreesTo(s.A1, -2.0)) << i;
    EXPECT_TRUE(AgreesTo(s.A2, -1.0)) << i;
    EXPECT_TRUE(AgreesTo(s.B0, 1.0)) << i;
    EXPECT_TRUE(AgreesTo(s.B1, 2.0)) << i;
    EXPECT_TRUE(AgreesTo(s.B2, 1.0)) << i;
  }
}

TEST(AudioProcessor, FactorOneGivesIdentityLikeResamplingStages) {
  RecordingProcessor processor;
  EXPECT_EQ(processor.UpsamplingFilter().NumStages(), 0);
  processor.SetOversampling(1);
  ExpectDegenerateStages(processor.UpsamplingFilter());
  ExpectDegenerateStages(processor.DownsamplingFilter());
}

TEST(AudioProcessor, FactorIsAtLeastOneAndPreparesForTheRunningRate) {
  struct Case {
    int factor;
    int stored;
  };
  for (const Case c : {Case{0, 1}, Case{-3, 1}, Case{1, 1}, Case{4, 4}}) {
    RecordingProcessor processor;
    processor.SetOversampling(c.factor);
    EXPECT_EQ(processor.Oversampling(), c.stored) << c.factor;
    EXPECT_EQ(processor.prepares, 1);
    EXPECT_EQ(processor.preparedRate, 44100 * c.stored);
  }
}

TEST(AudioProcessor, FourTimesPutsTheEdgeAtAnEighthOfTheRunningRate) {
  RecordingProcessor processor;
  processor.SetOversampling(4);
  for (const auto* filter : {&processor.UpsamplingFilter(), &processor.DownsamplingFilter()}) {
    EXPECT_NEAR(Db(std::abs(filter->Response(2.0 * kPi * 0.125))), -9.0, 1e-3);
    EXPECT_NEAR(Db(std::abs(filter->Response(0.0))), 0.0, 1e-9);
  }
  // A reset designs the same filters again and prepares nothing.
  const Dsp::Stage before = processor.UpsamplingFilter().StageAt(1);
  processor.ResetFilters();
  EXPECT_EQ(processor.prepares, 1);
  EXPECT_EQ(processor.UpsamplingFilter().StageAt(1).A1, before.A1);
  EXPECT_EQ(processor.UpsamplingFilter().StageAt(1).B0, before.B0);
}

TEST(AudioProcessor, SettersOnlyStore) {
  RecordingProcessor processor;
  processor.SetOversampling(2);
  processor.SetSampleRate(48000);
  processor.SetAuxValue(0.25);
  processor.SetAuxCount(3);
  EXPECT_EQ(processor.prepares, 1);
  EXPECT_EQ(processor.SampleRate(), 48000);
  EXPECT_EQ(processor.RunningRate(), 96000);
  EXPECT_EQ(processor.AuxValue(), 0.25);
  EXPECT_EQ(processor.AuxCount(), 3.0);
}

}  // namespace
