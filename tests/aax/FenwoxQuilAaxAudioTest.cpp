// Audio of the FenwoxQuil AAX module through the test host: equal to the VST3 build's output,
// bypass, both channel configurations, the host tempo reaching the synchronised delay.
#include "AaxPluginFixture.h"

#include "tools/host/BlockProcessor.h"
#include "tools/host/DemoPhrase.h"
#include "tools/host/HostSession.h"
#include "tools/host/ParameterAssignments.h"

#include <cmath>

using namespace fenwoxquil_aax_test;
using quilhost::AudioData;
using quilhost::ParameterAssignment;

namespace {

// The noise floor is seeded from the clock: everything else of the sound repeats exactly.
const ParameterAssignment kHissOff{"Analog Hiss", "off", false, 0.0};

AudioData renderVst3(const AudioData& input, const std::vector<ParameterAssignment>& assignments, std::string& error) {
    AudioData output;
    auto session = quilhost::HostSession::open(QUIL_FENWOXQUIL_VST3_BUNDLE, error);
    if (!session) return output;
    quilhost::RenderSettings settings;
    settings.config.inputChannels = input.channelCount();
    settings.config.outputChannels = input.channelCount();
    settings.config.sampleRate = input.sampleRate;
    settings.tailSeconds = 1.0;
    if (!quilhost::resolveAssignments(session->instance(), assignments, settings.changes, error) ||
        !session->instance().prepare(settings.config, error))
        return output;
    quilhost::renderAudio(session->instance(), input, settings, output, error);
    session->instance().stop();
    return output;
}

AudioData renderAax(AaxInstance& instance, const AudioData& input, const std::vector<ParameterAssignment>& assignments,
                    std::string& error, double tempo = 120.0) {
    AudioData output;
    aaxhost::AaxRenderSettings settings;
    settings.tailSeconds = 1.0;
    settings.tempo = tempo;
    if (!aaxhost::resolveAaxAssignments(instance, assignments, settings.changes, error)) return output;
    aaxhost::renderThrough(instance, input, settings, output, error);
    return output;
}

// One sample of 0.5 at the start, then silence.
AudioData impulse(int channels, double seconds) {
    AudioData audio;
    audio.channels.assign(static_cast<std::size_t>(channels),
                          std::vector<float>(static_cast<std::size_t>(seconds * audio.sampleRate)));
    for (auto& channel : audio.channels) channel[0] = 0.5f;
    return audio;
}

// Where the loudest sample after `from` lies, in milliseconds.
double loudestAfterMs(const std::vector<float>& channel, double from, double rate) {
    const std::size_t first = static_cast<std::size_t>(from / 1000.0 * rate);
    std::size_t best = first;
    for (std::size_t i = first; i < channel.size(); ++i) {
        if (std::fabs(channel[i]) > std::fabs(channel[best])) best = i;
    }
    return best * 1000.0 / rate;
}

} // namespace

// The same plug-in in the other format: the same samples for the same settings.
TEST_F(FenwoxQuilAax, ProcessingEqualsTheVst3Build) {
    const std::vector<ParameterAssignment> active{{"Effect Active", "on", false, 0.0}, kHissOff};
    const struct {
        const char* what;
        int channels;
        std::vector<ParameterAssignment> assignments;
    } cases[] = {
        {"dry", 2, {kHissOff}},
        {"slap-back", 2,
         {active[0], kHissOff, {"Effect Level", "80", false, 0.0}, {"Delay range", "50ms - 200ms", false, 0.0},
          {"Time", "20", false, 0.0}}},
        {"stereo mode with feedback", 2,
         {active[0], kHissOff, {"Stereo Mode", "on", false, 0.0}, {"Effect Level", "80", false, 0.0},
          {"Time", "70", false, 0.0}, {"Feedback", "50", false, 0.0}}},
        {"tempo sync and a late change", 2,
         {active[0], kHissOff, {"Sync 16th", "3", false, 0.0}, {"Feedback", "50", false, 0.0},
          {"Effect Level", "100", false, 1.3}}},
        {"mono", 1, {active[0], kHissOff, {"Effect Level", "70", false, 0.0}, {"Time", "60", false, 0.0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const AudioData input = quilhost::makeDemoPhrase(44100.0, c.channels);
        const AudioData expected = renderVst3(input, c.assignments, error);
        ASSERT_TRUE(error.empty()) << error;
        auto instance = create(c.channels == 1 ? kMono : kStereo);
        ASSERT_TRUE(instance);
        const AudioData produced = renderAax(*instance, input, c.assignments, error);
        ASSERT_TRUE(error.empty()) << error;
        ASSERT_EQ(produced.channels.size(), expected.channels.size());
        EXPECT_GT(produced.peak(), 0.01f);
        for (std::size_t ch = 0; ch < expected.channels.size(); ++ch)
            EXPECT_TRUE(produced.channels[ch] == expected.channels[ch]) << "channel " << ch;
    }
}

TEST_F(FenwoxQuilAax, BypassPassesTheInputThrough) {
    const AudioData input = quilhost::makeDemoPhrase(44100.0, 2);
    const AudioData output =
        renderAax(*plugin, input, {{"Effect Active", "on", false, 0.0}, {"Bypass", "1", true, 0.0}}, error);
    ASSERT_TRUE(error.empty()) << error;
    for (std::size_t ch = 0; ch < 2; ++ch) {
        std::vector<float> head(output.channels[ch].begin(), output.channels[ch].begin() +
                                                                 static_cast<std::ptrdiff_t>(input.frames()));
        EXPECT_TRUE(head == input.channels[ch]) << "channel " << ch;
    }
}

// "Sync 16th" at 4: 500 ms at 120 beats per minute, 400 ms at 150.
TEST_F(FenwoxQuilAax, HostTempoReachesTheSynchronisedDelay) {
    for (const double tempo : {120.0, 150.0}) {
        auto instance = create(kStereo);
        ASSERT_TRUE(instance);
        const AudioData output = renderAax(*instance, impulse(2, 1.0),
                                           {{"Effect Active", "on", false, 0.0},
                                            kHissOff,
                                            {"Effect Level", "100", false, 0.0},
                                            {"Sync 16th", "4", false, 0.0}},
                                           error, tempo);
        ASSERT_TRUE(error.empty()) << error;
        const double expectedMs = 4 * 0.25 * 60000.0 / tempo;
        EXPECT_NEAR(loudestAfterMs(output.channels[1], 100.0, 44100.0), expectedMs, expectedMs * 0.03) << tempo;
    }
}

// Hosts stay within 1024 frames, but a longer context is rendered whole, not cut short.
TEST_F(FenwoxQuilAax, LongContextsAreRenderedInPieces) {
    plugin->updateValue("MasterBypassID", 1.0);
    std::vector<float> in(3000);
    for (std::size_t i = 0; i < in.size(); ++i) in[i] = static_cast<float>(i % 100) / 100.0f;
    std::vector<float> left(3000, 9.0f);
    std::vector<float> right(3000, 9.0f);
    const float* inputs[2] = {in.data(), in.data()};
    float* outputs[2] = {left.data(), right.data()};
    plugin->render(inputs, outputs, 3000);
    EXPECT_EQ(left, in);
    EXPECT_EQ(right, in);
}
