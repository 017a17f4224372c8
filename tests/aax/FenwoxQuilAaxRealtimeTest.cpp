// The processing procedure of the delay plug-in on the AAX adapter, in process, with the global
// allocator counted: once the instance is set up, nothing a render context carries may allocate,
// as rendering runs on the host's real-time thread.
#include "adapters/aax/AAX_CIEffectParameters.h"
#include "effect/FenwoxQuil.h"
#include "tests/effect/AllocationCounter.h"
#include "tools/aaxhost/HostRuntime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace aax;

TEST(FenwoxQuilAaxRealtime, RenderingAllocatesNothing) {
    aaxhost::HostAutomation automation;
    aaxhost::HostController controller(automation, 48000.0f, AAX_eStemFormat_Stereo, AAX_eStemFormat_Stereo);
    auto* plugin = new FenwoxQuil();
    plugin->HostInterface()->AddRef();
    ASSERT_EQ(plugin->Initialize(&controller), AAX_SUCCESS);
    ASSERT_EQ(plugin->UpdateParameterNormalizedValue("9", 1.0, 0), AAX_SUCCESS);
    ASSERT_EQ(plugin->UpdateParameterNormalizedValue("8", 0.5, 0), AAX_SUCCESS);

    // The context a host lays out from the description, with MIDI waiting and a transport.
    constexpr int kLongest = 3000;  // longer than any host sends: rendered in pieces
    std::vector<float> left(kLongest), right(kLongest), outLeft(kLongest), outRight(kLongest);
    for (int i = 0; i < kLongest; ++i) left[i] = right[i] = static_cast<float>(0.5 * std::sin(0.05 * i));
    const float* inputs[2] = {left.data(), right.data()};
    float* outputs[2] = {outLeft.data(), outRight.data()};
    AAX_CMidiPacket packets[2] = {{0, 3, {0x90, 60, 100, 0}, 0}, {10, 3, {0x80, 60, 0, 0}, 0}};
    aaxhost::HostTransport transport;
    aaxhost::HostMidiNode midi;
    midi.stream = {2, packets};
    aaxhost::HostMidiNode transportNode(&transport);
    uint64_t instanceBlock = 0;
    uint32_t placeholders[3] = {};
    ASSERT_EQ(plugin->ResetFieldData(AAX_CIEffectParameters::kFieldInstance, &instanceBlock, 8), AAX_SUCCESS);
    int32_t frames = 0;
    void* context[10] = {inputs,          outputs, nullptr, &frames, nullptr, static_cast<AAX_IMIDINode*>(&midi),
                         &placeholders[0], static_cast<AAX_IMIDINode*>(&transportNode), &instanceBlock,
                         &placeholders[1]};
    void* contexts[1] = {context};

    const long before = allocation_counter::Allocations();
    for (const int length : {512, 1024, 32, kLongest, 1, 0}) {
        frames = length;
        transport.tempo = length == kLongest ? 90.0 : 120.0;
        RenderCallback(contexts, contexts + 1);
    }
    plugin->UpdateParameterNormalizedValue("MasterBypassID", 1.0, 0);
    frames = 1024;
    const long beforeBypass = allocation_counter::Allocations();
    RenderCallback(contexts, contexts + 1);
    EXPECT_EQ(allocation_counter::Allocations(), beforeBypass) << "bypassed";
    EXPECT_EQ(beforeBypass, before);
    EXPECT_EQ(outLeft[100], left[100]);

    plugin->Uninitialize();
    plugin->HostInterface()->Release();
}
