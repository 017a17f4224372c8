// The delay plug-in on the VST2 adapter, in process, with the global allocator counted: once the
// host has set it up and switched it on, nothing it calls on its audio thread may allocate —
// processing in either sample size, accumulating, oversized blocks, MIDI events (which the plug-in
// sends on to the host) and parameter changes.
#include "adapters/vst2/IEffectVST.h"
#include "effect/FenwoxQuil.h"
#include "tests/effect/AllocationCounter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace vst2;

namespace {

constexpr int kAnnouncedBlock = 256;
constexpr int kOversizedBlock = 3 * kAnnouncedBlock + 17;

VstTimeInfo gTime{};

VstIntPtr QUIL_VST2_CALL host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterGetTime ? reinterpret_cast<VstIntPtr>(&gTime) : 0;
}

template <class Sample>
struct Stereo {
    Stereo() : left(kOversizedBlock), right(kOversizedBlock) {
        for (int i = 0; i < kOversizedBlock; ++i) left[i] = right[i] = static_cast<Sample>(0.5 * std::sin(0.05 * i));
    }
    std::vector<Sample> left, right;
    Sample* channels[2] = {left.data(), right.data()};
};

class FenwoxQuilVst2Realtime : public ::testing::Test {
protected:
    void SetUp() override {
        gTime.tempo = 120.0;
        gTime.sampleRate = 48000.0;
        gTime.flags = kVstTransportPlaying | kVstTempoValid;
        plugin = new FenwoxQuil(host);
        plugin->FinishCreation();
        effect = plugin->Effect();
        dispatch(effOpen);
        dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
        dispatch(effSetBlockSize, 0, kAnnouncedBlock);
        dispatch(effMainsChanged, 0, 1);
        midi.type = kVstMidiType;
        midi.byteSize = sizeof midi;
        midi.midiData[0] = static_cast<char>(0x90);
        midi.midiData[1] = 60;
        midi.midiData[2] = 100;
        events.numEvents = 1;
        events.events[0] = reinterpret_cast<VstEvent*>(&midi);
    }
    void TearDown() override { dispatch(effClose); }
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0) {
        return effect->dispatcher(effect, opcode, index, value, ptr, opt);
    }

    FenwoxQuil* plugin = nullptr;
    AEffect* effect = nullptr;
    VstMidiEvent midi{};
    VstEvents events{};
};

} // namespace

TEST_F(FenwoxQuilVst2Realtime, ProcessingAllocatesNothing) {
    Stereo<float> in, out;
    Stereo<double> inDouble, outDouble;
    const long before = allocation_counter::Allocations();
    const long released = allocation_counter::Releases();
    for (int p = 0; p < FenwoxQuil::kNumParams; ++p) effect->setParameter(effect, p, 0.9f);
    for (const float range : {0.0f, 0.25f, 0.5f, 0.75f, 1.0f}) {
        effect->setParameter(effect, FenwoxQuil::kDelayRange, range);
        dispatch(effProcessEvents, 0, 0, &events);
        effect->processReplacing(effect, in.channels, out.channels, kAnnouncedBlock);
        effect->process(effect, in.channels, out.channels, kAnnouncedBlock);
        effect->processDoubleReplacing(effect, inDouble.channels, outDouble.channels, kAnnouncedBlock);
    }
    effect->processReplacing(effect, in.channels, out.channels, kOversizedBlock);
    effect->processDoubleReplacing(effect, inDouble.channels, outDouble.channels, kOversizedBlock);
    gTime.tempo = 90.0;
    effect->processReplacing(effect, in.channels, out.channels, kAnnouncedBlock);
    EXPECT_EQ(allocation_counter::Allocations(), before);
    EXPECT_EQ(allocation_counter::Releases(), released);
    for (const float y : out.left) ASSERT_TRUE(std::isfinite(y));
    for (const double y : outDouble.right) ASSERT_TRUE(std::isfinite(y));
}
