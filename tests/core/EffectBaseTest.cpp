#include "tests/core/RecordingEffect.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

TEST(EffectBase, ConstructionFromTheDescription)
{
  RecordingEffect plug;
  EXPECT_STREQ(plug.EffectName(), "Quil Test");
  EXPECT_STREQ(plug.ProductName(), "");
  EXPECT_STREQ(plug.MakerName(), "Fenwox");
  EXPECT_EQ(plug.VersionNumber(false), 0x10003);
  EXPECT_EQ(plug.VersionNumber(true), 10003);
  EXPECT_EQ(plug.ParamCount(), 9);
  EXPECT_EQ(plug.Param(-1), nullptr);
  EXPECT_EQ(plug.Param(9), nullptr);
  EXPECT_EQ(plug.PresetCount(), 1);
  EXPECT_STREQ(plug.PresetName(0), "empty");
  EXPECT_STREQ(plug.PresetName(1), "");
  EXPECT_EQ(plug.Host(), HostNotIdentified);
  EXPECT_EQ(plug.SampleRate(), 44100.0);
  EXPECT_EQ(plug.BlockSize(), 0);
  EXPECT_EQ(plug.InputCount(), 2);
  EXPECT_EQ(plug.OutputCount(), 2);
  EXPECT_FALSE(plug.IsInputConnected(0));
  EXPECT_STREQ(plug.InputLabel(1), "");
  EXPECT_EQ(plug.InputLabel(2), nullptr);

  const std::string longName(200, 'e');
  TestEffect named(0, "1-1", 0, longName.c_str(), "", "", 0x20105, 0, 0, 0, false, false, false);
  EXPECT_EQ(std::string(named.EffectName()), longName.substr(0, 127));
  EXPECT_EQ(named.VersionNumber(true), 20105);
}

TEST(EffectBase, LegalChannelPairs)
{
  RecordingEffect plug;
  ASSERT_EQ(plug.LegalIOCount(), 2);
  EXPECT_EQ(plug.LegalIOPair(1)->inputs, 2);
  const struct
  {
    int inputs, outputs;
    bool legal;
  } cases[] = {{1, -1, true}, {2, 2, true}, {-1, -1, true}, {-1, 2, true}, {1, 2, false}, {0, 0, false}, {3, -1, false}};
  for (const auto& c : cases) EXPECT_EQ(plug.LegalIO(c.inputs, c.outputs), c.legal) << c.inputs << "-" << c.outputs;

  RecordingEffect wide(1, "1-2 4-4");
  EXPECT_EQ(wide.InputCount(), 4);
  EXPECT_EQ(wide.OutputCount(), 4);
}

#if GTEST_HAS_DEATH_TEST && !defined(_WIN32)
TEST(EffectBaseDeathTest, MalformedChannelTextStopsConstruction)
{
  EXPECT_DEATH(RecordingEffect(1, "1-1 stereo"), "channelIOStrValid");
  EXPECT_DEATH(RecordingEffect(1, "2"), "channelIOStrValid");
}
#endif

TEST(EffectBase, HostIdentification)
{
  const struct
  {
    const char* product;
    EHostKind kind;
  } cases[] = {
      {"Steinberg CUBASE 12", HostCubase},  {"Nuendo with Cubase inside", HostCubase},
      {"REAPER", HostReaper},               {"Ableton Live 11", HostLive},
      {"Olive tree", HostLive},             {"", HostUnknown},
      {"Bitwig Studio", HostUnknown},       {"Ardour", HostArdour},
      {"VST3PluginTestHost", HostVst3TestHost}, {"Pro Tools", HostUnknown},
      {"ProTools", HostProTools},           {"Digital Performer", HostDigital},
      {nullptr, HostUnknown},
  };
  RecordingEffect plug;
  for (const auto& c : cases) {
    plug.SetHost(c.product, 0x70003);
    EXPECT_EQ(plug.Host(), c.kind) << (c.product ? c.product : "(null)");
    EXPECT_EQ(plug.IdentifyHost(), c.kind);
  }
  EXPECT_EQ(plug.HostVersion(), 0x70003);
}

TEST(EffectBase, EditorChangeSetsInformsAndNotifies)
{
  RecordingEffect plug;
  plug.SetParameterFromGUI(2, 0.33);
  EXPECT_DOUBLE_EQ(plug.Param(2)->Value(), 3.3);
  ASSERT_EQ(plug.calls.size(), 1u);
  EXPECT_EQ(plug.calls[0].kind, HostCall::InformParamChange);
  EXPECT_EQ(plug.calls[0].paramIdx, 2);
  EXPECT_EQ(plug.calls[0].value, 0.33); // as the editor gave it, not the stored value
  EXPECT_EQ(plug.changes, (std::vector<std::pair<int, bool>>{{2, false}}));

  plug.SetParameterFromGUI(9, 0.5);
  EXPECT_EQ(plug.calls.size(), 1u);
}

// A host whose perform-edit waits for its audio thread to finish a block; the block needs the
// instance lock, as every adapter's processing does.
class WaitingHost : public RecordingEffect
{
public:
  ~WaitingHost() override
  {
    if (audio.joinable()) audio.join();
  }

  void InformHostOfParamChange(int paramIdx, double normalized) override
  {
    RecordingEffect::InformHostOfParamChange(paramIdx, normalized);
    changesBeforeEdit = changes.size();
    audio = std::thread([this] {
      PlugMutexLock block(mMutex);
      blockRan = true;
    });
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!blockRan && std::chrono::steady_clock::now() < giveUp)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    blockRanDuringEdit = blockRan;
  }

  std::thread audio;
  std::atomic<bool> blockRan{false};
  bool blockRanDuringEdit = false;
  std::size_t changesBeforeEdit = 0;
};

TEST(EffectBase, EditorChangeReachesTheHostWithoutHoldingTheLock)
{
  WaitingHost plug;
  plug.SetParameterFromGUI(2, 0.33);
  plug.audio.join();
  EXPECT_TRUE(plug.blockRanDuringEdit);
  // The plug-in already runs with the value the host is told about.
  EXPECT_EQ(plug.changesBeforeEdit, 1u);
  const std::vector<HostCall> sent = plug.CallsOf(HostCall::InformParamChange);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].value, 0.33);
}

TEST(EffectBase, NotifyAllParamsInIndexOrder)
{
  RecordingEffect plug;
  plug.NotifyAllParams();
  ASSERT_EQ(plug.changes.size(), 9u);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(plug.changes[i], std::make_pair(i, false));
}

TEST(EffectBase, StateEqualsWithinSinglePrecision)
{
  RecordingEffect plug;
  for (int i = 0; i < 9; ++i) plug.Param(i)->SetValue(0.5);
  double stored[10] = {99.0, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.500001};
  EXPECT_TRUE(plug.StateEquals(stored, 1));
  stored[9] = 0.5001;
  EXPECT_FALSE(plug.StateEquals(stored, 1));
  EXPECT_FALSE(plug.StateEquals(stored, 0));
}

TEST(EffectBase, DefaultsOfTheVirtualOperations)
{
  RecordingEffect plug(1, "1-1 2-2", 1);
  EXPECT_EQ(plug.PluginFormat(), 1);
  EXPECT_FALSE(plug.HostIsOffline());
  EXPECT_FALSE(plug.SpareQuery());
  char note[8] = "x";
  EXPECT_FALSE(plug.NameMidiNote(60, note));
  EXPECT_STREQ(note, "");
  ISysExMessage sysEx;
  EXPECT_FALSE(plug.SendSysExMessage(&sysEx));

  IMidiMessage message;
  message.status = 0x90;
  message.data1 = 60;
  plug.ProcessMidiMessage(&message);
  ASSERT_EQ(plug.CallsOf(HostCall::MidiSent).size(), 1u);
  EXPECT_EQ(plug.CallsOf(HostCall::MidiSent)[0].midi.data1, 60);
}

TEST(EffectBase, BusLabelsReplaceAtTheirPosition)
{
  RecordingEffect plug;
  plug.SetInputBusLabel(0, "Main Input");
  plug.SetInputBusLabel(2, "ignored");
  plug.SetInputBusLabel(1, "Aux Input");
  plug.SetInputBusLabel(0, "Main");
  EXPECT_STREQ(plug.InputBusLabel(0), "Main");
  EXPECT_STREQ(plug.InputBusLabel(1), "Aux Input");
  EXPECT_EQ(plug.InputBusLabel(2), nullptr);

  plug.SetOutputBusLabel(5, "Output 6"); // beyond the list: appended
  plug.SetOutputBusLabel(-1, "ignored");
  EXPECT_STREQ(plug.OutputBusLabel(0), "Output 6");
  EXPECT_EQ(plug.OutputBusLabel(1), nullptr);
}

TEST(EffectBase, ExtraChannelsFromTheThirdOn)
{
  RecordingEffect stereo;
  stereo.ConnectInputs(0, 2, true);
  stereo.ConnectExtraChannels();
  EXPECT_TRUE(stereo.IsInputConnected(1));
  EXPECT_FALSE(stereo.IsOutputConnected(0));

  RecordingEffect quad(1, "4-4");
  quad.ConnectInputs(0, 4, true);
  quad.ConnectExtraChannels();
  EXPECT_TRUE(quad.IsInputConnected(1));
  EXPECT_FALSE(quad.IsInputConnected(2));
  EXPECT_FALSE(quad.IsInputConnected(3));
  EXPECT_FALSE(quad.IsOutputConnected(1));
  EXPECT_TRUE(quad.IsOutputConnected(2));
  EXPECT_TRUE(quad.IsOutputConnected(3));
}

TEST(EffectBase, TestAdapterAnswersHostQueries)
{
  RecordingEffect plug;
  plug.tempo = 98.5;
  plug.numerator = 7;
  plug.denominator = 8;
  plug.transport.playing = true;
  plug.samplePosition = 4410;
  int num = 0, den = 0;
  plug.HostTimeSignature(&num, &den);
  ITransportInfo info;
  plug.HostTransport(&info);
  EXPECT_EQ(plug.HostTempo(), 98.5);
  EXPECT_EQ(num, 7);
  EXPECT_EQ(den, 8);
  EXPECT_TRUE(info.playing);
  EXPECT_EQ(plug.HostSamplePosition(), 4410);
  plug.ResizeEditor(410, 460);
  ASSERT_EQ(plug.CallsOf(HostCall::ResizeEditor).size(), 1u);
  EXPECT_EQ(plug.CallsOf(HostCall::ResizeEditor)[0].height, 460);
}

TEST(PlugMutex, RecursiveAndExclusive)
{
  PlugMutex mutex;
  {
    PlugMutexLock outer(mutex);
    PlugMutexLock inner(mutex); // the same thread may enter again
  }
  int counter = 0;
  auto work = [&] {
    for (int i = 0; i < 20000; ++i) {
      PlugMutexLock lock(mutex);
      counter = counter + 1;
    }
  };
  std::thread other(work);
  work();
  other.join();
  EXPECT_EQ(counter, 40000);
}
