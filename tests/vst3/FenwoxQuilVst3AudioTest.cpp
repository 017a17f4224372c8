// Audio through the FenwoxQuil bundle: bypass and preset changes as hosts send them, both sample
// sizes, blocks beyond the announced maximum, and the echo's timing against the delay memory.
#include "FenwoxQuilVst3Fixture.h"

#include "effect/DelayEngine.h"

#include <cmath>

using namespace vst3;
using namespace quilhost;
using namespace fenwoxquil_test;

namespace {

constexpr double kRate = 44100.0;
constexpr double kPi = 3.14159265358979323846;

// A 440 Hz tone for `toneFrames`, then silence up to `frames`, in both channels.
AudioData toneBurst(std::size_t toneFrames, std::size_t frames) {
    std::vector<float> samples(frames, 0.0f);
    for (std::size_t i = 0; i < toneFrames; ++i)
        samples[i] = static_cast<float>(0.5 * std::sin(2.0 * kPi * 440.0 * static_cast<double>(i) / kRate));
    return AudioData{kRate, {samples, samples}};
}

AudioData impulse(std::size_t at, std::size_t frames) {
    std::vector<float> samples(frames, 0.0f);
    samples[at] = 0.5f;
    return AudioData{kRate, {samples, samples}};
}

// Audible echoes, no noise floor: renders of the same input then match sample for sample.
const std::vector<ParameterAssignment> kEcho = {{"Effect Active", "on", false},
                                                {"Effect Level", "100", false},
                                                {"Feedback", "50", false},
                                                {"Delay range", "12.5ms - 50ms", false},
                                                {"Analog Hiss", "off", false}};

float peak(const std::vector<float>& samples, std::size_t from = 0) {
    float largest = 0.0f;
    for (std::size_t i = from; i < samples.size(); ++i) largest = std::max(largest, std::fabs(samples[i]));
    return largest;
}

} // namespace

TEST_F(FenwoxQuilVst3, BypassTakesEffectAboveOneHalf) {
    const AudioData input = toneBurst(2000, 6000);
    std::vector<ParameterAssignment> halfway = kEcho;
    halfway.push_back({"Bypass", "0.5", true});
    const AudioData processed = render(input, halfway);
    EXPECT_GT(peak(processed.channels[0], 2500), 0.05f) << "echoes after the tone";

    const AudioData bypassed = render(input, {{"Bypass", "0.51", true}});
    EXPECT_EQ(bypassed.channels, input.channels);
    // The controller reports the value the host gave it, not the processor's switch.
    EXPECT_EQ(plugin().controller()->getParamNormalized(kBypass), 0.51);
}

TEST_F(FenwoxQuilVst3, PresetChangeBeyondTheOnePresetChangesNothing) {
    const AudioData input = toneBurst(64, 64);
    render(input, {{"Feedback", "40", false}, {"Time", "70", false}, {"Preset", "1.0", true}});
    EXPECT_DOUBLE_EQ(plugin().controller()->getParamNormalized(2), 0.4);
    EXPECT_DOUBLE_EQ(plugin().controller()->getParamNormalized(1), 69.0 / 99.0);
    // Preset 0 exists: it brings the defaults back.
    render(input, {{"Preset", "0.0", true}});
    EXPECT_EQ(plugin().controller()->getParamNormalized(2), 0.0);
    EXPECT_EQ(plugin().controller()->getParamNormalized(1), 0.0);
}

TEST_F(FenwoxQuilVst3, SixtyFourBitAndOversizedBlocksGiveTheSameAudio) {
    const AudioData input = toneBurst(3000, 9000);
    const AudioData reference = render(input, kEcho, {48, 48, false});
    ASSERT_GT(peak(reference.channels[0], 3500), 0.05f) << "echoes after the tone";

    const struct {
        int block, maxBlock;
        bool doublePrecision;
    } hosts[] = {{48, 48, true}, {1000, 48, false}, {1000, 48, true}, {4096, 512, false}};
    for (const auto& host : hosts) {
        auto instance = session->createInstance(error);
        ASSERT_TRUE(instance) << error;
        const AudioData output = render(*instance, input, kEcho, {host.block, host.maxBlock, host.doublePrecision});
        EXPECT_EQ(output.channels, reference.channels)
            << "blocks of " << host.block << " announced " << host.maxBlock << (host.doublePrecision ? ", 64-bit" : "");
    }
}

TEST_F(FenwoxQuilVst3, StereoModeKeepsTheDrySignalLeftAndTheEchoesRight) {
    std::vector<ParameterAssignment> stereo = kEcho;
    stereo.push_back({"Stereo Mode", "on", false});
    const AudioData output = render(toneBurst(2000, 6000), stereo);
    EXPECT_GT(peak(output.channels[0]), 0.3f);
    EXPECT_LT(peak(output.channels[0], 2500), 0.01f) << "the dry side ends with the tone";
    EXPECT_GT(peak(output.channels[1], 2500), 0.05f) << "the echoes ring on the right";
}

TEST_F(FenwoxQuilVst3, EchoOfAnImpulseArrivesWhereTheDelayMemoryReturnsIt) {
    // The memory the plug-in runs for "50ms - 200ms" at half time, as the engine sets it up...
    DelayEngine engine;
    engine.SetOversampling(1);
    engine.SetSampleRate(static_cast<int>(kRate));
    engine.Prepare();
    engine.SetDelayRange(1);
    engine.SetDelayTime(0.5);
    const DelayMemory& memory = engine.Memory();
    // ...and how many samples after it was stored an impulse comes back out of such a memory.
    DelayMemory probe;
    probe.SetRate(memory.Rate());
    probe.Allocate(memory.Capacity() / memory.Resolution());
    probe.SetMaxMs(memory.MaxMs());
    probe.SetClock(memory.CurMs(), memory.StepRatio());
    probe.Step(1.0);
    std::size_t delay = 1;
    while (probe.Step(0.0) == 0.0 && delay < 100000) ++delay;
    ASSERT_NEAR(static_cast<double>(delay), 0.125 * kRate, 0.001 * kRate) << "125 ms";

    // The echo is what the engaged effect adds to the unengaged output.
    const std::size_t at = 100;
    const AudioData input = impulse(at, at + delay + 200);
    std::vector<ParameterAssignment> settings = {{"Effect Level", "100", false},
                                                 {"Delay range", "50ms - 200ms", false},
                                                 {"Time", "0.5", true},
                                                 {"Analog Hiss", "off", false}};
    const AudioData dry = render(input, settings);
    settings.push_back({"Effect Active", "on", false});
    auto engaged = session->createInstance(error);
    ASSERT_TRUE(engaged) << error;
    const AudioData wet = render(*engaged, input, settings);

    // The filters keep a floor far below hearing (about -500 dB) to stay clear of denormals.
    std::size_t first = 0;
    while (first < wet.frames() && std::fabs(wet.channels[0][first] - dry.channels[0][first]) < 1e-6f) ++first;
    EXPECT_EQ(first, at + delay);
}
