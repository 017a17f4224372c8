#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "effect/FenwoxQuil.h"
#include "tests/effect/AllocationCounter.h"
#include "tests/effect/SignalHelpers.h"

namespace {

using effect_test::Sine;

// The plug-in as a host opens it: channels connected, 44.1 kHz, every parameter applied.
class PedalFixture : public ::testing::Test {
 protected:
  void SetUp() override { Open(pedal); }

  static void Open(FenwoxQuil& plug) {
    plug.SeedNoise(77);
    plug.ConnectInputs(0, 2, true);
    plug.ConnectOutputs(0, 2, true);
    plug.ChangeBlockSize(4096);
    plug.SetHostSampleRate(44100.0);
    plug.ResetDsp();
    plug.NotifyAllParams();
  }

  static void SetPlain(FenwoxQuil& plug, int paramIdx, double plain) {
    plug.Param(paramIdx)->SetValue(plain);
    plug.ParameterChanged(paramIdx, false);
  }
  void SetPlain(int paramIdx, double plain) { SetPlain(pedal, paramIdx, plain); }

  // Runs left and right through ProcessBlock in place.
  static void Process(FenwoxQuil& plug, std::vector<double>& left, std::vector<double>& right) {
    double* ins[] = {left.data(), right.data()};
    plug.ProcessBlock(ins, ins, static_cast<int>(left.size()));
  }
  void Process(int frames) {
    std::vector<double> left(frames, 0.0), right(frames, 0.0);
    Process(pedal, left, right);
  }

  std::string Text(int paramIdx) {
    char text[IEffectParam::kDisplaySize];
    pedal.Param(paramIdx)->FormatCurrent(text);
    return text;
  }

  FenwoxQuil pedal;
};

TEST_F(PedalFixture, FixedDescription) {
  EXPECT_STREQ(pedal.EffectName(), "FenwoxQuil");
  EXPECT_STREQ(pedal.ProductName(), "");
  EXPECT_STREQ(pedal.MakerName(), "Fenwox");
  EXPECT_EQ(pedal.VersionNumber(false), 0x10003);
  EXPECT_EQ(pedal.VersionNumber(true), 10003);
  EXPECT_EQ(pedal.UniqueId(), 0x5175696C);  // 'Quil'
  EXPECT_EQ(pedal.MakerId(), 0x466E5778);   // 'FnWx'
  EXPECT_EQ(pedal.Latency(), 0);
  EXPECT_TRUE(pedal.DoesMidi());
  EXPECT_FALSE(pedal.DoesChunks());
  EXPECT_FALSE(pedal.IsInstrument());
  EXPECT_TRUE(pedal.LegalIO(1, 1));
  EXPECT_TRUE(pedal.LegalIO(2, 2));
  EXPECT_FALSE(pedal.LegalIO(1, 2));
  EXPECT_EQ(pedal.ParamCount(), 9);
  ASSERT_EQ(pedal.PresetCount(), 1);
  EXPECT_STREQ(pedal.PresetName(0), "-");
  EXPECT_TRUE(pedal.Preset(0)->initialised);
}

TEST_F(PedalFixture, ParameterTable) {
  struct Row {
    const char* name;
    EParamKind kind;
    double defaultValue, minValue, maxValue, step;
    const char* label;
    std::vector<std::string> texts;
  };
  const std::vector<std::string> offOn = {"off", "on"};
  const Row rows[] = {
      {"Delay range", ParamKindEnum, 0, 0, 3, 0.1, "", {"12.5ms - 50ms", "50ms - 200ms", "200ms - 800ms", "hold"}},
      {"Time", ParamKindDouble, 1, 1, 100, 1, "%", {}},
      {"Feedback", ParamKindDouble, 0, 0, 100, 1, "%", {}},
      {"Effect Level", ParamKindDouble, 0, 0, 100, 1, "%", {}},
      {"Stereo Mode", ParamKindBool, 0, 0, 1, 0.1, "", offOn},
      {"Analog Sat.", ParamKindBool, 1, 0, 1, 0.1, "", offOn},
      {"Analog Hiss", ParamKindBool, 1, 0, 1, 0.1, "", offOn},
      {"Sync 16th", ParamKindEnum, 0, 0, 8, 0.1, "", {"off", "1", "2", "3", "4", "5", "6", "7", "8"}},
      {"Effect Active", ParamKindBool, 0, 0, 1, 0.1, "", offOn},
  };
  for (int i = 0; i < 9; ++i) {
    const Row& row = rows[i];
    const IEffectParam* p = pedal.Param(i);
    EXPECT_STREQ(p->NameText(), row.name) << i;
    EXPECT_EQ(p->Kind(), row.kind) << i;
    EXPECT_EQ(p->DefaultValue(), row.defaultValue) << i;
    EXPECT_EQ(p->Value(), row.defaultValue) << i;
    EXPECT_EQ(p->MinValue(), row.minValue) << i;
    EXPECT_EQ(p->MaxValue(), row.maxValue) << i;
    EXPECT_EQ(p->Step(), row.step) << i;
    EXPECT_EQ(p->Shape(), 1.0) << i;
    EXPECT_STREQ(p->GroupText(), "") << i;
    ASSERT_EQ(p->ValueTextCount(), static_cast<int>(row.texts.size())) << i;
    for (std::size_t v = 0; v < row.texts.size(); ++v)
      EXPECT_STREQ(p->ValueTextFor(static_cast<int>(v)), row.texts[v].c_str()) << i;
    if (row.texts.empty()) {
      EXPECT_STREQ(p->UnitText(), row.label) << i;
    }
  }
  EXPECT_EQ(pedal.Param(1)->DisplayPrecision(), 0);
}

// The engine's range and time after the host tempo (beats per minute) meets a "Sync 16th" value.
TEST_F(PedalFixture, TempoSyncPicksRangeAndTime) {
  struct Case {
    double sixteenths;
    double tempo;
    double rangeMinMs;
    double time;
    int curMs;
  };
  for (const Case c : {Case{4, 120, 200, 0.5, 500}, Case{1, 120, 50, 0.5, 125}, Case{1, 300, 12.5, 1.0, 50},
                       Case{2, 0, 200, 1.0, 800}}) {
    pedal.tempo = c.tempo;
    SetPlain(FenwoxQuil::kSync16th, c.sixteenths);
    Process(16);
    const DelayEngine& engine = pedal.Engine();
    EXPECT_EQ(pedal.Tempo(), c.tempo);
    EXPECT_EQ(engine.RangeMinMs(), c.rangeMinMs) << c.sixteenths << " @ " << c.tempo;
    EXPECT_DOUBLE_EQ(engine.Time(), c.time) << c.sixteenths << " @ " << c.tempo;
    EXPECT_EQ(engine.Memory().CurMs(), c.curMs) << c.sixteenths << " @ " << c.tempo;
    EXPECT_FALSE(engine.Hold());
  }
}

TEST_F(PedalFixture, SyncOverridesTimeAndHandsTheRangeBack) {
  SetPlain(FenwoxQuil::kDelayRange, 3);
  pedal.tempo = 120;
  Process(16);
  SetPlain(FenwoxQuil::kSync16th, 4);  // 500 ms leaves hold for the long range
  EXPECT_FALSE(pedal.Engine().Hold());
  SetPlain(FenwoxQuil::kTime, 100);
  EXPECT_EQ(pedal.Engine().Time(), 0.5);

  // Off again: the chosen range returns (still held), the time stays where sync put it.
  SetPlain(FenwoxQuil::kSync16th, 0);
  EXPECT_TRUE(pedal.Engine().Hold());
  EXPECT_EQ(pedal.Engine().Time(), 0.5);
  SetPlain(FenwoxQuil::kTime, 100);
  EXPECT_EQ(pedal.Engine().Time(), 1.0);
}

// A held loop (200 ms, 8820 samples at 44.1 kHz) keeps playing through a tempo ramp and tempos that
// are no tempo while sync is off; with sync on the delay follows a real tempo change, never a NaN.
TEST_F(PedalFixture, HoldLoopOutlivesTempoChangesWhileSyncIsOff) {
  constexpr int kLoop = 8820;
  SetPlain(FenwoxQuil::kAnalogHiss, 0);
  SetPlain(FenwoxQuil::kEffectLevel, 100);
  SetPlain(FenwoxQuil::kDelayRange, 3);
  std::vector<double> l = Sine(300.0, 44100.0, kLoop, 0.5), r = l;
  Process(pedal, l, r);
  SetPlain(FenwoxQuil::kEffectActive, 1);
  // The second time round, once the expander has settled on the loop's level.
  std::vector<double> silentL(2 * kLoop, 0.0), silentR(2 * kLoop, 0.0);
  Process(pedal, silentL, silentR);
  const double held = effect_test::Rms(silentR, kLoop, 2 * kLoop);
  ASSERT_GT(held, 0.1);

  const double nan = std::nan("");
  const double tempos[] = {121.0, 122.0, 123.5, nan, 0.0, -40.0, std::numeric_limits<double>::infinity(), 98.0};
  const int block = kLoop / static_cast<int>(std::size(tempos));
  std::vector<double> outR;
  for (const double tempo : tempos) {
    pedal.tempo = tempo;
    std::vector<double> bl(block, 0.0), br(block, 0.0);
    Process(pedal, bl, br);
    outR.insert(outR.end(), br.begin(), br.end());
  }
  EXPECT_NEAR(effect_test::Rms(outR, 0, outR.size()) / held, 1.0, 0.01);
  EXPECT_TRUE(pedal.Engine().Hold());

  SetPlain(FenwoxQuil::kSync16th, 4);
  pedal.tempo = 120.0;
  Process(16);
  EXPECT_DOUBLE_EQ(pedal.Engine().Time(), 0.5);
  pedal.tempo = nan;
  Process(16);
  EXPECT_EQ(pedal.Tempo(), 120.0);
  EXPECT_DOUBLE_EQ(pedal.Engine().Time(), 0.5);
  pedal.tempo = 150.0;  // 400 ms
  Process(16);
  EXPECT_DOUBLE_EQ(pedal.Engine().Time(), 200.0 / 600.0);
}

TEST_F(PedalFixture, HostValuesBetweenSteps) {
  // A choice left at 1.2 reads "50ms - 200ms" but selects nothing.
  pedal.SetParameterFromGUI(FenwoxQuil::kDelayRange, 0.4);
  EXPECT_DOUBLE_EQ(pedal.Param(FenwoxQuil::kDelayRange)->Value(), 1.2);
  EXPECT_EQ(Text(FenwoxQuil::kDelayRange), "50ms - 200ms");
  EXPECT_EQ(pedal.Engine().RangeMaxMs(), 50.0);

  // A switch left at 0.5 reads "off" and is on.
  for (const int idx : {FenwoxQuil::kStereoMode, FenwoxQuil::kAnalogSat, FenwoxQuil::kAnalogHiss,
                        FenwoxQuil::kEffectActive}) {
    pedal.SetParameterFromGUI(idx, 0.0);
    pedal.SetParameterFromGUI(idx, 0.5);
    EXPECT_EQ(Text(idx), "off") << idx;
  }
  EXPECT_TRUE(pedal.Engine().mStereoMode);
  EXPECT_TRUE(pedal.Engine().mSaturation);
  EXPECT_TRUE(pedal.Engine().mHiss);
  EXPECT_TRUE(pedal.Engine().mEffectActive);
  pedal.SetParameterFromGUI(FenwoxQuil::kAnalogHiss, 0.4);
  EXPECT_FALSE(pedal.Engine().mHiss);

  // Levels reach the engine normalised.
  SetPlain(FenwoxQuil::kFeedback, 40);
  SetPlain(FenwoxQuil::kEffectLevel, 75);
  EXPECT_DOUBLE_EQ(pedal.Engine().mFeedback, 0.4);
  EXPECT_DOUBLE_EQ(pedal.Engine().mEffectLevel, 0.75);
}

TEST_F(PedalFixture, MonoHostHearsHalfTheLevel) {
  SetPlain(FenwoxQuil::kAnalogSat, 0);
  SetPlain(FenwoxQuil::kAnalogHiss, 0);
  FenwoxQuil stereoHost;
  Open(stereoHost);
  SetPlain(stereoHost, FenwoxQuil::kAnalogSat, 0);
  SetPlain(stereoHost, FenwoxQuil::kAnalogHiss, 0);

  pedal.ConnectInputs(1, 1, false);
  std::vector<double> in = Sine(440.0, 44100.0, 2048, 0.8);
  std::vector<double> outL(in.size()), outR(in.size());
  double* ins[] = {in.data()};
  double* outs[] = {outL.data(), outR.data()};
  pedal.AttachInputs(0, 2, ins);
  pedal.AttachOutputs(0, 2, outs);
  ASSERT_TRUE(pedal.RunBlock(static_cast<int>(in.size())));

  std::vector<double> left = in, right = in;
  Process(stereoHost, left, right);
  for (std::size_t i = 0; i < in.size(); ++i) {
    EXPECT_NEAR(outL[i], 0.5 * left[i], 1e-12) << i;
    EXPECT_NEAR(outR[i], 0.5 * right[i], 1e-12) << i;
  }
}

// ProcessBlock runs the engine over the whole block; a host that sends one frame at a time runs it
// sample by sample. Both must hear exactly the same, in every mix.
TEST_F(PedalFixture, WholeBlocksSoundLikeSingleFrames) {
  struct Setting {
    int stereo, active, range;
  };
  for (const Setting s : {Setting{0, 1, 0}, Setting{1, 1, 1}, Setting{1, 0, 0}, Setting{0, 0, 3}, Setting{1, 1, 3}}) {
    FenwoxQuil block, frames;
    for (FenwoxQuil* plug : {&block, &frames}) {
      Open(*plug);
      SetPlain(*plug, FenwoxQuil::kStereoMode, s.stereo);
      SetPlain(*plug, FenwoxQuil::kDelayRange, s.range);
      SetPlain(*plug, FenwoxQuil::kTime, 37);
      SetPlain(*plug, FenwoxQuil::kFeedback, 60);
      SetPlain(*plug, FenwoxQuil::kEffectLevel, 80);
    }
    std::vector<double> left = Sine(700.0, 44100.0, 3000, 0.6), right = Sine(190.0, 44100.0, 3000, 0.3);
    std::vector<double> frameLeft = left, frameRight = right;
    for (int pass = 0; pass < 2; ++pass) {
      for (FenwoxQuil* plug : {&block, &frames}) SetPlain(*plug, FenwoxQuil::kEffectActive, pass == 0 ? 0 : s.active);
      std::vector<double> l = left, r = right;
      Process(block, l, r);
      for (std::size_t i = 0; i < left.size(); ++i) {
        double* ins[] = {&frameLeft[i], &frameRight[i]};
        frames.ProcessBlock(ins, ins, 1);
      }
      ASSERT_EQ(l, frameLeft) << s.stereo << s.active << s.range << " pass " << pass;
      ASSERT_EQ(r, frameRight) << s.stereo << s.active << s.range << " pass " << pass;
      frameLeft = left;
      frameRight = right;
    }
  }
}

TEST_F(PedalFixture, StereoModeSendsDryLeftAndDelayedRight) {
  SetPlain(FenwoxQuil::kStereoMode, 1);
  SetPlain(FenwoxQuil::kAnalogHiss, 0);
  std::vector<double> left = Sine(1000.0, 44100.0, 1000, 0.5), right = left;
  Process(pedal, left, right);
  for (std::size_t i = 0; i < left.size(); ++i) {
    EXPECT_LT(std::fabs(right[i]), 1e-20) << i;  // inactive: nothing but the filters' bias
  }
  EXPECT_GT(std::fabs(left[500]), 0.1);
  EXPECT_EQ(left.back(), pedal.Engine().mDryOut);
}

TEST_F(PedalFixture, ResetPreparesOnlyForANewRate) {
  FenwoxQuil fresh;
  EXPECT_EQ(fresh.LastRate(), 0);
  EXPECT_EQ(pedal.LastRate(), 44100);
  Process(100);
  const int index = pedal.Engine().Memory().WriteIndex();
  ASSERT_GT(index, 0);
  pedal.ResetDsp();
  EXPECT_EQ(pedal.Engine().Memory().WriteIndex(), index);
  pedal.SetHostSampleRate(48000.0);
  pedal.ResetDsp();
  EXPECT_EQ(pedal.LastRate(), 48000);
  EXPECT_EQ(pedal.Engine().Memory().Capacity(), 768000);
  EXPECT_EQ(pedal.Engine().Memory().WriteIndex(), 0);

  // Rates that are no rate are not taken; the engine goes on as prepared.
  for (const double rate : {0.0, -48000.0, std::nan(""), 1e12}) {
    pedal.SetHostSampleRate(rate);
    pedal.ResetDsp();
    EXPECT_EQ(pedal.LastRate(), 0) << rate;
    EXPECT_EQ(pedal.Engine().Memory().Capacity(), 768000) << rate;
    std::vector<double> left = Sine(300.0, 48000.0, 500, 0.5), right = left;
    Process(pedal, left, right);
    for (const double y : right) ASSERT_TRUE(std::isfinite(y)) << rate;
  }
}

TEST_F(PedalFixture, ProcessingAllocatesNothing) {
  SetPlain(FenwoxQuil::kEffectActive, 1);
  SetPlain(FenwoxQuil::kFeedback, 70);
  std::vector<double> left = Sine(500.0, 44100.0, 4096, 0.5), right = left;
  double* ins[] = {left.data(), right.data()};
  const long allocations = allocation_counter::Allocations(), releases = allocation_counter::Releases();
  for (const double tempo : {120.0, 121.0, std::nan(""), 0.0}) {
    pedal.tempo = tempo;
    for (const int stereo : {0, 1}) {
      for (const int range : {0, 2, 3}) {
        pedal.Param(FenwoxQuil::kStereoMode)->SetValue(stereo);
        pedal.ParameterChanged(FenwoxQuil::kStereoMode, false);
        pedal.Param(FenwoxQuil::kDelayRange)->SetValue(range);
        pedal.ParameterChanged(FenwoxQuil::kDelayRange, false);
        pedal.ProcessBlock(ins, ins, 4096);
        pedal.ProcessBlock(ins, ins, 1);
        pedal.ProcessBlock(ins, ins, 0);
      }
    }
  }
  EXPECT_EQ(allocation_counter::Allocations(), allocations);
  EXPECT_EQ(allocation_counter::Releases(), releases);
}

TEST_F(PedalFixture, BadHostSamplesLeaveNoTrace) {
  SetPlain(FenwoxQuil::kEffectActive, 1);
  SetPlain(FenwoxQuil::kFeedback, 50);
  const double inf = std::numeric_limits<double>::infinity();
  std::vector<double> left = {inf, std::nan(""), 1e308, -inf, 0.1}, right = {-inf, 1.0, 1e308, -inf, 0.1};
  Process(pedal, left, right);
  std::vector<double> l = Sine(200.0, 44100.0, 44100, 0.3), r = l;
  Process(pedal, l, r);
  for (std::size_t i = 0; i < l.size(); ++i) {
    ASSERT_TRUE(std::isfinite(l[i]) && std::isfinite(r[i])) << i;
  }
  EXPECT_LT(std::fabs(r.back()), 2.0);
}

}  // namespace
