// The host's transport as the plug-in reads it, in process: taken from the transport node of each
// render context, ticks turned into quarter notes.
#include "adapters/aax/AAX_CIEffectParameters.h"
#include "effect/FenwoxQuil.h"
#include "tools/aaxhost/HostRuntime.h"

#include <gtest/gtest.h>

using namespace aax;

TEST(FenwoxQuilAaxTransport, ReadFromTheRenderContextsTransportNode) {
    aaxhost::HostAutomation automation;
    aaxhost::HostController controller(automation, 44100.0f, AAX_eStemFormat_Stereo, AAX_eStemFormat_Stereo);
    auto* plugin = new FenwoxQuil();
    plugin->HostInterface()->AddRef();
    ASSERT_EQ(plugin->Initialize(&controller), AAX_SUCCESS);
    // Before the first render there is no transport: no tempo, and nothing is filled in.
    EXPECT_EQ(plugin->HostTempo(), 0.0);
    ITransportInfo untouched;
    untouched.ppqPos = -1.0;
    plugin->HostTransport(&untouched);
    EXPECT_EQ(untouched.ppqPos, -1.0);

    aaxhost::HostTransport transport;
    transport.tempo = 96.0;
    transport.numerator = 7;
    transport.denominator = 8;
    transport.ticks = 1920000;
    transport.looping = true;
    transport.loopStart = 960000;
    transport.loopEnd = 4800000;
    transport.sampleLocation = (int64_t{1} << 32) + 5;
    aaxhost::HostMidiNode transportNode(&transport);
    uint64_t instanceBlock = 0;
    ASSERT_EQ(plugin->ResetFieldData(AAX_CIEffectParameters::kFieldInstance, &instanceBlock, 8), AAX_SUCCESS);
    std::vector<float> silence(64), left(64), right(64);
    const float* inputs[2] = {silence.data(), silence.data()};
    float* outputs[2] = {left.data(), right.data()};
    int32_t frames = 64;
    void* context[10] = {inputs, outputs, nullptr, &frames, nullptr, nullptr, nullptr,
                         static_cast<AAX_IMIDINode*>(&transportNode), &instanceBlock, nullptr};
    void* contexts[1] = {context};
    RenderCallback(contexts, contexts + 1);

    ITransportInfo info;
    plugin->HostTransport(&info);
    EXPECT_EQ(info.tempo, 96.0);
    EXPECT_EQ(info.numerator, 7);
    EXPECT_EQ(info.denominator, 8);
    EXPECT_EQ(info.ppqPos, 2.0);
    EXPECT_TRUE(info.playing);
    EXPECT_TRUE(info.looping);
    EXPECT_EQ(info.cycleStart, 1.0);
    EXPECT_EQ(info.cycleEnd, 5.0);
    EXPECT_EQ(info.samplePos, 4294967301.0);
    EXPECT_EQ(plugin->HostSamplePosition(), 5);  // truncated to 32 bits
    EXPECT_EQ(plugin->Tempo(), 96.0);           // the plug-in followed the host's tempo

    plugin->Uninitialize();
    plugin->HostInterface()->Release();
}
