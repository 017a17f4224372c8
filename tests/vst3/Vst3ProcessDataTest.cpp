// What a strict host may hand the VST3 adapter's process call, in process: buses with channels but
// no buffers, null channel buffers, blocks without inputs, layouts changing between blocks, and
// values from parameter queues and events that do not fit their targets. Also the controller's
// bypass and the initialisation guard.
#include "adapters/vst3/IEffectVST3.h"
#include "adapters/vst3/api/Speakers.h"
#include "tools/host/EventList.h"
#include "tools/host/MemoryStream.h"
#include "tools/host/ParameterChanges.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace vst3;

namespace {

constexpr int32 kBlock = 32;
constexpr double kWritten = 0.25;
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// An effect on the VST3 adapter ("1-1 2-2" unless told otherwise) that tells what its processing
// got: the peak of each input it read (a null input is counted, not read) and whether an output was
// null. It writes kWritten to every output and records the MIDI messages it is handed.
class Probe : public IEffectVST3 {
public:
    explicit Probe(const char* channelIO = "1-1 2-2", int sideChainChannels = 0)
        : IEffectVST3(nullptr, 1, channelIO, 1, "Probe", "", "Quil Tests", 0x10000, 0x50726F62, 0x51546573, 0, true,
                      false, false, sideChainChannels),
          inputPeak(static_cast<std::size_t>(InputCount()), 0.0) {
        Param(0)->DefineRange("Gain", 1.0, 0.0, 2.0, 0.01, "x");
        MakeDefaultPresets("Default", 1);
    }

    void ProcessBlock(double** inputs, double** outputs, int nFrames) override {
        for (int c = 0; c < InputCount(); ++c) {
            if (!inputs[c]) {
                ++nullInputs;
                continue;
            }
            for (int i = 0; i < nFrames; ++i) inputPeak[c] = std::max(inputPeak[c], std::fabs(inputs[c][i]));
        }
        for (int c = 0; c < OutputCount(); ++c) {
            if (!outputs[c]) {
                ++nullOutputs;
                continue;
            }
            for (int i = 0; i < nFrames; ++i) outputs[c][i] = kWritten;
        }
    }
    void ProcessMidiMessage(const IMidiMessage* message) override { midi.push_back(*message); }

    void forget() {
        std::fill(inputPeak.begin(), inputPeak.end(), 0.0);
        nullInputs = nullOutputs = 0;
        midi.clear();
    }

    std::vector<double> inputPeak;
    int nullInputs = 0;
    int nullOutputs = 0;
    std::vector<IMidiMessage> midi;
};

// A host bus of `channels` buffers of one sample width, each filled with `value`.
template <class Sample>
struct HostBus {
    HostBus(int32 channels, Sample value, int32 frames = kBlock)
        : buffers(static_cast<std::size_t>(channels), std::vector<Sample>(static_cast<std::size_t>(frames), value)) {
        for (auto& b : buffers) pointers.push_back(b.data());
        bus.numChannels = channels;
        assign(pointers.data());
    }
    void assign(Sample** channels);
    bool all(Sample value) const {
        for (const auto& b : buffers)
            for (const Sample s : b)
                if (s != value) return false;
        return true;
    }

    std::vector<std::vector<Sample>> buffers;
    std::vector<Sample*> pointers;
    AudioBusBuffers bus{};
};
template <>
void HostBus<float>::assign(float** channels) { bus.channelBuffers32 = channels; }
template <>
void HostBus<double>::assign(double** channels) { bus.channelBuffers64 = channels; }

// The probe, initialised, set up for kBlock frames at the given sample size and active.
class Vst3ProcessData : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(probe->initialize(nullptr), kResultOk); }
    void TearDown() override {
        probe->setActive(false);
        probe->terminate();
        probe->release();
    }

    void setup(int32 sampleSize, int32 maxBlock = kBlock) {
        ProcessSetup setup{kRealtime, sampleSize, maxBlock, 48000.0};
        ASSERT_EQ(probe->setupProcessing(setup), kResultOk);
        ASSERT_EQ(probe->setActive(true), kResultOk);
        mSampleSize = sampleSize;
    }
    // One call of process; either bus list may be null.
    void process(AudioBusBuffers* inputs, int32 numInputs, AudioBusBuffers* outputs, int32 numOutputs,
                 int32 frames = kBlock, IParameterChanges* changes = nullptr, IEventList* events = nullptr) {
        ProcessData data{};
        data.processMode = kRealtime;
        data.symbolicSampleSize = mSampleSize;
        data.numSamples = frames;
        data.numInputs = numInputs;
        data.numOutputs = numOutputs;
        data.inputs = inputs;
        data.outputs = outputs;
        data.inputParameterChanges = changes;
        data.inputEvents = events;
        probe->forget();
        ASSERT_EQ(probe->process(data), kResultOk);
    }
    bool arrange(SpeakerArrangement in, SpeakerArrangement out) {
        return probe->setBusArrangements(&in, 1, &out, 1) == kResultTrue;
    }
    void readsSilenceEverywhere(const std::string& step) {
        EXPECT_EQ(probe->nullInputs, 0) << step;
        EXPECT_EQ(probe->inputPeak[0], 0.0) << step;
        EXPECT_EQ(probe->inputPeak[1], 0.0) << step;
    }

    Probe* probe = new Probe;
    int32 mSampleSize = kSample32;
};

template <class Sample>
class Vst3ProcessDataBothSizes : public Vst3ProcessData {
protected:
    void SetUp() override {
        Vst3ProcessData::SetUp();
        setup(sizeof(Sample) == sizeof(double) ? kSample64 : kSample32);
    }
};
using SampleTypes = ::testing::Types<float, double>;
TYPED_TEST_SUITE(Vst3ProcessDataBothSizes, SampleTypes);

// A bus that announces two channels but brings no buffer array, on either side: the missing
// inputs read silence, the missing outputs are not written, and the host's input buffers (the
// previous bus's pointers were once taken for the outputs) are never written.
TYPED_TEST(Vst3ProcessDataBothSizes, BusWithChannelsButNoBufferArray) {
    HostBus<TypeParam> in(2, TypeParam(0.5)), out(2, TypeParam(0));
    AudioBusBuffers noArray{};
    noArray.numChannels = 2;

    this->process(&noArray, 1, &out.bus, 1);
    this->readsSilenceEverywhere("no input array");
    EXPECT_TRUE(out.all(TypeParam(kWritten)));

    this->process(&in.bus, 1, &noArray, 1);
    EXPECT_EQ(this->probe->inputPeak[0], 0.5);
    EXPECT_EQ(this->probe->nullOutputs, 0);
    EXPECT_TRUE(in.all(TypeParam(0.5))) << "the host's input buffers were written";
}

// One null channel buffer on either side: silence in, nothing written out, the other channel as usual.
TYPED_TEST(Vst3ProcessDataBothSizes, NullChannelBuffers) {
    HostBus<TypeParam> in(2, TypeParam(0.5)), out(2, TypeParam(0));
    in.pointers[1] = nullptr;
    out.pointers[0] = nullptr;
    this->process(&in.bus, 1, &out.bus, 1);
    EXPECT_EQ(this->probe->nullInputs, 0);
    EXPECT_EQ(this->probe->inputPeak[0], 0.5);
    EXPECT_EQ(this->probe->inputPeak[1], 0.0);
    EXPECT_EQ(this->probe->nullOutputs, 0);
    EXPECT_TRUE(out.buffers[0] == std::vector<TypeParam>(kBlock, TypeParam(0)));
    EXPECT_TRUE(out.buffers[1] == std::vector<TypeParam>(kBlock, TypeParam(kWritten)));
}

// After a block with inputs, blocks that come without any read silence, not the earlier buffers
// (which the host may have freed since).
TYPED_TEST(Vst3ProcessDataBothSizes, BlockWithoutInputsAfterOneWithInputs) {
    HostBus<TypeParam> in(2, TypeParam(0.5)), out(2, TypeParam(0));
    for (const bool nullList : {false, true}) {
        this->process(&in.bus, 1, &out.bus, 1);
        ASSERT_EQ(this->probe->inputPeak[1], 0.5);
        if (nullList) this->process(nullptr, 1, &out.bus, 1);
        else this->process(&in.bus, 0, &out.bus, 1);
        this->readsSilenceEverywhere(nullList ? "null input list" : "no input bus");
    }
}

// Once stereo single-precision audio has gone through, a channel the host stops feeding reads
// zeros in every later block, whatever order of arrangement, set-up and block-size changes and
// sample sizes follows.
TEST_F(Vst3ProcessData, DisconnectedInputNeverReplaysEarlierAudio) {
    enum Step { Mono32, Mono64, ArrangeMono, Setup32, Setup64, SetupOtherSize };
    const std::vector<std::vector<Step>> orders = {
        {ArrangeMono, Mono32},
        {Mono32},
        {ArrangeMono, Setup64, Mono64},
        {Setup64, Mono64},
        {ArrangeMono, SetupOtherSize, Mono32},
        {Mono32, Setup64, Mono64, Setup32, Mono32},
    };
    for (std::size_t o = 0; o < orders.size(); ++o) {
        setup(kSample32);
        ASSERT_TRUE(arrange(SpeakerArr::kStereo, SpeakerArr::kStereo));
        HostBus<float> stereoIn(2, 0.5f), stereoOut(2, 0.f);
        process(&stereoIn.bus, 1, &stereoOut.bus, 1);
        ASSERT_EQ(probe->inputPeak[1], 0.5);
        probe->setActive(false);

        HostBus<float> monoIn32(1, 0.f), monoOut32(1, 0.f);
        HostBus<double> monoIn64(1, 0.0), monoOut64(1, 0.0);
        for (std::size_t s = 0; s < orders[o].size(); ++s) {
            const std::string step = "order " + std::to_string(o) + " step " + std::to_string(s);
            switch (orders[o][s]) {
            case ArrangeMono: ASSERT_TRUE(arrange(SpeakerArr::kMono, SpeakerArr::kMono)); break;
            case Setup32: setup(kSample32); break;
            case Setup64: setup(kSample64); break;
            case SetupOtherSize: setup(kSample32, kBlock / 2); break;
            case Mono32:
                mSampleSize = kSample32;
                for (int block = 0; block < 3; ++block) process(&monoIn32.bus, 1, &monoOut32.bus, 1, kBlock);
                readsSilenceEverywhere(step);
                break;
            case Mono64:
                mSampleSize = kSample64;
                for (int block = 0; block < 3; ++block) process(&monoIn64.bus, 1, &monoOut64.bus, 1, kBlock);
                readsSilenceEverywhere(step);
                break;
            }
        }
        probe->setActive(false);
    }
}

// A side-chain bus the host deactivates, or leaves out of a block, reads silence: never the audio
// of an earlier block.
TEST(Vst3ProcessDataSideChain, SideChainReadsSilenceWhenInactiveOrMissing) {
    auto* probe = new Probe("4-2", 2);
    ASSERT_EQ(probe->initialize(nullptr), kResultOk);
    ProcessSetup setup{kRealtime, kSample64, kBlock, 48000.0};
    ASSERT_EQ(probe->setupProcessing(setup), kResultOk);
    ASSERT_EQ(probe->activateBus(kAudio, kInput, 1, true), kResultOk);
    HostBus<double> main(2, 0.5), side(2, 0.25), out(2, 0.0);
    AudioBusBuffers both[] = {main.bus, side.bus};
    auto run = [&](int32 numInputs) {
        ProcessData data{};
        data.symbolicSampleSize = kSample64;
        data.numSamples = kBlock;
        data.numInputs = numInputs;
        data.numOutputs = 1;
        data.inputs = both;
        data.outputs = &out.bus;
        probe->forget();
        ASSERT_EQ(probe->process(data), kResultOk);
    };
    run(2);
    EXPECT_EQ(probe->inputPeak, (std::vector<double>{0.5, 0.5, 0.25, 0.25}));
    run(1);
    EXPECT_EQ(probe->inputPeak, (std::vector<double>{0.5, 0.5, 0.0, 0.0})) << "side-chain bus left out";
    ASSERT_EQ(probe->activateBus(kAudio, kInput, 1, false), kResultOk);
    run(2);
    EXPECT_EQ(probe->inputPeak, (std::vector<double>{0.5, 0.5, 0.0, 0.0})) << "side-chain bus inactive";
    EXPECT_EQ(probe->nullInputs, 0);
    probe->terminate();
    probe->release();
}

// Values a host may put in a queue or an event that do not fit what they are converted into: a
// program change or controller value NaN or far outside 0..1, a note velocity NaN or beyond 1.
// Out-of-range values are clamped (controllers, velocity) or select nothing (presets); NaN is ignored.
TEST_F(Vst3ProcessData, HostValuesOutsideTheirRangeAreClampedAndNaNIgnored) {
    setup(kSample32);
    HostBus<float> in(2, 0.f), out(2, 0.f);
    constexpr ParamID kFirstCc = 1;

    const double huge = 1e300;
    for (const double value : {kNaN, huge, -huge, 1.0}) {
        probe->Param(0)->SetValue(1.5);
        quilhost::ParameterChanges preset;
        preset.add(IEffectVST3::kPresetParamId, 0, value);
        process(&in.bus, 1, &out.bus, 1, kBlock, &preset);
        EXPECT_EQ(probe->Param(0)->Value(), 1.5) << "preset change " << value;
    }

    const struct {
        double value;
        int expected;  // -1: no message
    } controllers[] = {{kNaN, -1}, {huge, 127}, {-huge, 0}, {0.5, 63}};
    for (const auto& c : controllers) {
        quilhost::ParameterChanges changes;
        changes.add(kFirstCc + 7, 0, c.value);
        process(&in.bus, 1, &out.bus, 1, kBlock, &changes);
        if (c.expected < 0) {
            EXPECT_TRUE(probe->midi.empty()) << c.value;
            continue;
        }
        ASSERT_EQ(probe->midi.size(), 1u) << c.value;
        EXPECT_EQ(probe->midi[0].status, 0xB0);
        EXPECT_EQ(probe->midi[0].data1, 7);
        EXPECT_EQ(probe->midi[0].data2, c.expected) << c.value;
    }

    const struct {
        float velocity;
        int expected;
    } notes[] = {{std::numeric_limits<float>::quiet_NaN(), -1}, {1e30f, 127}, {-1e30f, 0}, {1.0f, 127}};
    for (const auto& n : notes) {
        quilhost::EventList events;
        Event e{};
        e.type = Event::kNoteOnEvent;
        e.noteOn.pitch = 60;
        e.noteOn.velocity = n.velocity;
        events.addEvent(e);
        process(&in.bus, 1, &out.bus, 1, kBlock, nullptr, &events);
        if (n.expected < 0) {
            EXPECT_TRUE(probe->midi.empty()) << n.velocity;
            continue;
        }
        ASSERT_EQ(probe->midi.size(), 1u) << n.velocity;
        EXPECT_EQ(probe->midi[0].data2, n.expected) << n.velocity;
    }
}

// Without a host context the base has nothing to tell a repeat by: the adapter refuses it itself.
TEST_F(Vst3ProcessData, RepeatedInitializeWithoutContextBuildsNothingTwice) {
    EXPECT_EQ(probe->initialize(nullptr), kResultFalse);
    EXPECT_EQ(probe->getBusCount(kAudio, kInput), 1);
    EXPECT_EQ(probe->getBusCount(kAudio, kOutput), 1);
    EXPECT_EQ(probe->getBusCount(kEvent, kInput), 1);
    const int32 parameters = probe->getParameterCount();
    EXPECT_EQ(parameters, 2 + 1 + 128);
    // After terminate a new initialisation is a first one again.
    probe->terminate();
    EXPECT_EQ(probe->initialize(nullptr), kResultOk);
    EXPECT_EQ(probe->getBusCount(kAudio, kInput), 1);
    EXPECT_EQ(probe->getParameterCount(), parameters);
}

// The controller keeps the bypass value the host gives it and reports it back; the processor
// changes only with the parameter changes of process. A restored state sets both.
TEST_F(Vst3ProcessData, ControllerBypassHoldsWhatTheHostGaveIt) {
    setup(kSample32);
    EXPECT_EQ(probe->getParamNormalized(IEffectVST3::kBypassParamId), 0.0);
    EXPECT_EQ(probe->setParamNormalized(IEffectVST3::kBypassParamId, 1.0), kResultTrue);
    EXPECT_EQ(probe->getParamNormalized(IEffectVST3::kBypassParamId), 1.0);
    EXPECT_FALSE(probe->IsBypassed());

    HostBus<float> in(2, 0.5f), out(2, 0.f);
    quilhost::ParameterChanges bypass;
    bypass.add(IEffectVST3::kBypassParamId, 0, 1.0);
    process(&in.bus, 1, &out.bus, 1, kBlock, &bypass);
    EXPECT_TRUE(probe->IsBypassed());
    EXPECT_TRUE(out.all(0.5f)) << "bypassed audio passes through";

    quilhost::MemoryStream saved;
    ASSERT_EQ(probe->getState(&saved), kResultOk);
    EXPECT_EQ(probe->setParamNormalized(IEffectVST3::kBypassParamId, 0.0), kResultTrue);
    EXPECT_EQ(probe->getParamNormalized(IEffectVST3::kBypassParamId), 0.0);
    saved.rewind();
    ASSERT_EQ(probe->setState(&saved), kResultOk);
    EXPECT_EQ(probe->getParamNormalized(IEffectVST3::kBypassParamId), 1.0);
    EXPECT_TRUE(probe->IsBypassed());
}

} // namespace
