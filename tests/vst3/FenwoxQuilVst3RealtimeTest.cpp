// The processing call of the delay plug-in on the VST3 adapter, in process, with the global
// allocator counted: once the host has set up and activated the plug-in, nothing a host passes to
// process may allocate, as that runs on the host's audio thread.
#include "adapters/vst3/IEffectVST3.h"
#include "adapters/vst3/api/PlugView.h"
#include "effect/FenwoxQuil.h"
#include "tests/effect/AllocationCounter.h"
#include "tools/host/EventList.h"
#include "tools/host/ParameterChanges.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

using namespace vst3;

namespace {

constexpr int32 kAnnouncedBlock = 256;
constexpr int32 kOversizedBlock = 3 * kAnnouncedBlock + 17;
constexpr ParamID kFirstMidiCc = FenwoxQuil::kNumParams;

// A stereo bus of one sample width, as large as the oversized block.
template <class Sample>
struct StereoBuffers {
    StereoBuffers() : left(kOversizedBlock), right(kOversizedBlock) {
        for (int32 i = 0; i < kOversizedBlock; ++i) left[i] = right[i] = static_cast<Sample>(0.5 * std::sin(0.05 * i));
        bus.numChannels = 2;
        bus.silenceFlags = 0;
        assign(bus, channels);
    }
    static void assign(AudioBusBuffers& b, float** c) { b.channelBuffers32 = c; }
    static void assign(AudioBusBuffers& b, double** c) { b.channelBuffers64 = c; }

    std::vector<Sample> left, right;
    Sample* channels[2] = {left.data(), right.data()};
    AudioBusBuffers bus{};
};

// One block a host might send, built before counting starts (the host objects allocate as they fill).
struct Block {
    int32 frames;
    quilhost::ParameterChanges changes;
    quilhost::EventList events;
};

// Sample size, and whether the editor is open (parameter changes then move its controls too).
class FenwoxQuilVst3Realtime : public ::testing::TestWithParam<std::tuple<int32, bool>> {
protected:
    void SetUp() override {
        plugin = new FenwoxQuil(nullptr);
        ASSERT_EQ(plugin->initialize(nullptr), kResultOk);
        ProcessSetup setup{kRealtime, sampleSize(), kAnnouncedBlock, 48000.0};
        ASSERT_EQ(plugin->setupProcessing(setup), kResultOk);
        ASSERT_EQ(plugin->setActive(true), kResultOk);
        if (std::get<1>(GetParam())) {
            view = plugin->createView("editor");
            ASSERT_NE(view, nullptr);
            ASSERT_EQ(view->attached(&parentWindow, "HWND"), kResultOk);
        }
    }
    void TearDown() override {
        if (view) {
            view->removed();
            view->release();
        }
        plugin->setActive(false);
        plugin->terminate();
        plugin->release();
    }

    int32 sampleSize() const { return std::get<0>(GetParam()); }
    Block& addBlock(int32 frames) {
        blocks.emplace_back(new Block{frames, {}, {}});
        return *blocks.back();
    }
    static void addNote(Block& block, bool on, int32 offset) {
        Event e{};
        e.sampleOffset = offset;
        e.type = on ? Event::kNoteOnEvent : Event::kNoteOffEvent;
        if (on) {
            e.noteOn.pitch = 60;
            e.noteOn.velocity = 0.8f;
        } else {
            e.noteOff.pitch = 60;
        }
        block.events.addEvent(e);
    }

    template <class Sample>
    void processAll() {
        StereoBuffers<Sample> in, out;
        ProcessContext context{};
        context.tempo = 120.0;
        context.sampleRate = 48000.0;
        const long allocations = allocation_counter::Allocations(), releases = allocation_counter::Releases();
        for (auto& block : blocks) {
            ProcessData data{};
            data.processMode = kRealtime;
            data.symbolicSampleSize = sampleSize();
            data.numSamples = block->frames;
            data.numInputs = 1;
            data.numOutputs = 1;
            data.inputs = &in.bus;
            data.outputs = &out.bus;
            data.inputParameterChanges = &block->changes;
            data.inputEvents = &block->events;
            data.processContext = &context;
            ASSERT_EQ(plugin->process(data), kResultOk);
        }
        EXPECT_EQ(allocation_counter::Allocations(), allocations);
        EXPECT_EQ(allocation_counter::Releases(), releases);
        for (const Sample y : out.left) ASSERT_TRUE(std::isfinite(y));
    }

    FenwoxQuil* plugin = nullptr;
    IPlugView* view = nullptr;
    int parentWindow = 0;  // stands in for the host's window
    std::vector<std::unique_ptr<Block>> blocks;
};

TEST_P(FenwoxQuilVst3Realtime, ProcessingAllocatesNothing) {
    addBlock(kAnnouncedBlock);
    // Every parameter moved, several points per queue, then the controllers hosts map to MIDI CCs.
    Block& moves = addBlock(kAnnouncedBlock);
    for (ParamID id = 0; id < FenwoxQuil::kNumParams; ++id) {
        moves.changes.add(id, 0, 0.2);
        moves.changes.add(id, kAnnouncedBlock - 1, 0.9);
    }
    for (const ParamID cc : {1u, 7u, 64u, 127u}) moves.changes.add(kFirstMidiCc + cc, 3, 0.6);
    addNote(moves, true, 10);
    addNote(moves, false, 200);
    // The delay range through all its values, which changes how much of the memory is used.
    for (const double range : {0.0, 0.4, 0.7, 1.0}) addBlock(kAnnouncedBlock).changes.add(FenwoxQuil::kDelayRange, 0, range);
    addBlock(kAnnouncedBlock).changes.add(IEffectVST3::kBypassParamId, 0, 1.0);
    addBlock(kOversizedBlock);
    addBlock(kAnnouncedBlock).changes.add(IEffectVST3::kBypassParamId, 0, 0.0);
    addBlock(kOversizedBlock);
    addBlock(kAnnouncedBlock).changes.add(IEffectVST3::kPresetParamId, 0, 0.0);
    addBlock(0).changes.add(FenwoxQuil::kTime, 0, 0.3);
    addBlock(1);
    addBlock(kAnnouncedBlock - 1);

    if (sampleSize() == kSample64) processAll<double>();
    else processAll<float>();
}

INSTANTIATE_TEST_SUITE_P(SampleSizesAndEditor, FenwoxQuilVst3Realtime,
                         ::testing::Combine(::testing::Values(kSample32, kSample64), ::testing::Bool()),
                         [](const ::testing::TestParamInfo<std::tuple<int32, bool>>& info) {
                             return std::string(std::get<0>(info.param) == kSample64 ? "Sample64" : "Sample32") +
                                    (std::get<1>(info.param) ? "EditorOpen" : "EditorClosed");
                         });

} // namespace
