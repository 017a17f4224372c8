// The command-line host against a real bundle (a small test module built on our interface
// layer): loading, instance set-up, processing with parameter changes, state transfer and the
// errors a user can provoke.
#include "tools/host/AudioFile.h"
#include "tools/host/BlockProcessor.h"
#include "tools/host/Commands.h"
#include "tools/host/HostSession.h"
#include "tools/host/ParameterAssignments.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

using namespace quilhost;

namespace {

const std::string kBundle = QUIL_TEST_BUNDLE;

AudioData ramp(int channels, std::size_t frames) {
    AudioData audio;
    audio.channels.assign(static_cast<std::size_t>(channels), std::vector<float>(frames));
    for (int c = 0; c < channels; ++c)
        for (std::size_t i = 0; i < frames; ++i) audio.channels[static_cast<std::size_t>(c)][i] = 0.001f * (i % 500) + 0.1f * c;
    return audio;
}

class Vst3Host : public ::testing::Test {
protected:
    void SetUp() override {
        session = HostSession::open(kBundle, error);
        ASSERT_TRUE(session) << error;
    }
    AudioData render(const std::vector<ParameterAssignment>& assignments, const AudioData& input, int block,
                     int maxBlock, bool doublePrecision) {
        RenderSettings settings;
        EXPECT_TRUE(resolveAssignments(session->instance(), assignments, settings.changes, error)) << error;
        settings.config.maxBlockSize = maxBlock;
        settings.config.doublePrecision = doublePrecision;
        settings.config.inputChannels = settings.config.outputChannels = input.channelCount();
        settings.blockSize = block;
        EXPECT_TRUE(session->instance().prepare(settings.config, error)) << error;
        AudioData output;
        EXPECT_TRUE(renderAudio(session->instance(), input, settings, output, error)) << error;
        session->instance().stop();
        return output;
    }
    std::string error;
    std::unique_ptr<HostSession> session;
};

} // namespace

TEST_F(Vst3Host, LoadsTheBundleAndFindsTheClassAndParameters) {
    EXPECT_NE(session->module().binaryPath().find(bundleArchitectureFolder()), std::string::npos);
    EXPECT_STREQ(session->instance().classInfo().name, "QuilTestGain");
    const auto parameters = session->instance().parameters();
    ASSERT_EQ(parameters.size(), 3u);
    EXPECT_EQ(parameters[0].title, "Gain");
    EXPECT_EQ(parameters[0].units, "x");
    EXPECT_EQ(parameters[1].title, "Polarity");
    EXPECT_EQ(parameters[1].info.stepCount, 1);
    EXPECT_EQ(parameters[2].title, "Clipped");
}

// The test module reports "Clipped" (id 2) through the output parameter changes, and processes only
// when the host passes an object for them. With gain 2 the ramp's second channel goes beyond full
// scale from frame 401 to 499 and again from 901: the host hands back each point timed from the
// start of the render, whatever the block size and sample size.
TEST_F(Vst3Host, PassesAnOutputChangesObjectAndReportsWhatThePlugInPutInIt) {
    const struct {
        int block;
        bool doublePrecision;
    } cases[] = {{64, false}, {333, true}, {1000, false}};
    for (const auto& c : cases) {
        RenderSettings settings;
        settings.config.sampleRate = 1000.0;
        settings.config.doublePrecision = c.doublePrecision;
        settings.blockSize = settings.config.maxBlockSize = c.block;
        ASSERT_TRUE(resolveAssignments(session->instance(), {{"Gain", "2", false}}, settings.changes, error)) << error;
        ASSERT_TRUE(session->instance().prepare(settings.config, error)) << error;
        AudioData output;
        std::vector<ParameterChange> reported;
        ASSERT_TRUE(renderAudio(session->instance(), ramp(2, 1000), settings, output, error, &reported)) << error;
        session->instance().stop();
        const struct {
            double value;
            double atSeconds;
        } expected[] = {{1.0, 0.401}, {0.0, 0.5}, {1.0, 0.901}};
        ASSERT_EQ(reported.size(), std::size(expected)) << c.block;
        for (std::size_t i = 0; i < reported.size(); ++i) {
            EXPECT_EQ(reported[i].id, 2u);
            EXPECT_EQ(reported[i].value, expected[i].value) << c.block << " point " << i;
            EXPECT_DOUBLE_EQ(reported[i].atSeconds, expected[i].atSeconds) << c.block << " point " << i;
        }
    }
}

// `render --print-output-changes` lists them, one line per point.
TEST_F(Vst3Host, RenderCommandPrintsOutputChangesWhenAsked) {
    const std::filesystem::path folder(QUIL_TEST_SCRATCH);
    CommandOptions options;
    options.bundle = kBundle;
    options.input = (folder / "ramp-input.wav").string();
    options.output = (folder / "ramp-output.wav").string();
    options.tailSeconds = 0.0;
    options.assignments = {{"Gain", "2", false}};
    AudioData input = ramp(2, 1000);
    input.sampleRate = 1000.0;
    ASSERT_TRUE(writeAudioFile(options.input, input, error)) << error;
    session.reset();

    for (const bool asked : {false, true}) {
        options.printOutputChanges = asked;
        ::testing::internal::CaptureStdout();
        const int status = runRender(options);
        const std::string printed = ::testing::internal::GetCapturedStdout();
        EXPECT_EQ(status, 0);
        const std::string first = "output change: \"Clipped\" (id 2) at sample 401 (0.401000 s) = 1.000000\n";
        const std::string second = "output change: \"Clipped\" (id 2) at sample 500 (0.500000 s) = 0.000000\n";
        const std::string third = "output change: \"Clipped\" (id 2) at sample 901 (0.901000 s) = 1.000000\n";
        if (asked) {
            EXPECT_NE(printed.find(first + second + third), std::string::npos) << printed;
        } else {
            EXPECT_EQ(printed.find("output change"), std::string::npos) << printed;
        }
    }
}

TEST_F(Vst3Host, RendersWithParameterChangesInBothSampleSizesAndOddBlocks) {
    const AudioData input = ramp(2, 3000);
    const struct {
        int block;
        int maxBlock;
        bool doublePrecision;
    } cases[] = {{512, 512, false}, {512, 512, true}, {333, 128, false}, {1, 1, true}};
    for (const auto& c : cases) {
        const AudioData output =
            render({{"gain", "0.5", false}, {"Polarity", "inverted", false}}, input, c.block, c.maxBlock, c.doublePrecision);
        ASSERT_EQ(output.channelCount(), 2);
        ASSERT_EQ(output.frames(), input.frames());
        for (std::size_t i = 0; i < input.frames(); i += 97) {
            EXPECT_FLOAT_EQ(output.channels[0][i], -0.5f * input.channels[0][i]) << c.block << " at " << i;
            EXPECT_FLOAT_EQ(output.channels[1][i], -0.5f * input.channels[1][i]) << c.block << " at " << i;
        }
    }
}

TEST_F(Vst3Host, MonoInputIsNegotiatedAsMono) {
    const AudioData output = render({}, ramp(1, 100), 64, 64, false);
    EXPECT_EQ(output.channelCount(), 1);
}

TEST_F(Vst3Host, ThreeChannelInputFallsBackToWhatThePlugInOffers) {
    const AudioData output = render({{"Gain", "2", false}}, ramp(3, 100), 64, 64, false);
    EXPECT_EQ(output.channelCount(), 2);
}

TEST_F(Vst3Host, TailExtendsTheOutputWithProcessedSilence) {
    RenderSettings settings;
    settings.config.sampleRate = 1000.0;
    settings.tailSeconds = 0.5;
    ASSERT_TRUE(session->instance().prepare(settings.config, error)) << error;
    AudioData output;
    ASSERT_TRUE(renderAudio(session->instance(), ramp(2, 100), settings, output, error)) << error;
    EXPECT_EQ(output.frames(), 600u);
    EXPECT_EQ(output.channels[0][599], 0.0f);
}

TEST_F(Vst3Host, LaterChangesArriveWithTheBlockThatHoldsTheirMoment) {
    // At 1000 Hz in blocks of 64: 0.2 s is frame 200, inside the block that starts at 192.
    RenderSettings settings;
    settings.config.sampleRate = 1000.0;
    settings.blockSize = settings.config.maxBlockSize = 64;
    ASSERT_TRUE(resolveAssignments(session->instance(), {{"Gain", "0.5", false, 0.2}, {"Gain", "2", false}},
                                   settings.changes, error));
    ASSERT_TRUE(session->instance().prepare(settings.config, error)) << error;
    const AudioData input = ramp(2, 300);
    AudioData output;
    ASSERT_TRUE(renderAudio(session->instance(), input, settings, output, error)) << error;
    for (std::size_t i = 0; i < input.frames(); ++i)
        EXPECT_FLOAT_EQ(output.channels[0][i], (i < 192 ? 2.0f : 0.5f) * input.channels[0][i]) << i;

    settings.changes = {{0, 0.5, 0.3}};
    EXPECT_FALSE(renderAudio(session->instance(), input, settings, output, error));
    EXPECT_EQ(error, "a parameter change at 0.300000 s lies beyond the end of the audio");
    session->instance().stop();
}

TEST_F(Vst3Host, StateTravelsToASecondInstance) {
    render({{"Gain", "1.5", false}, {"Polarity", "1", true}}, ramp(2, 10), 10, 10, false);
    std::vector<std::uint8_t> componentState, controllerState;
    ASSERT_TRUE(session->instance().saveState(componentState, controllerState, error)) << error;
    EXPECT_EQ(componentState.size(), 16u);
    auto second = session->createInstance(error);
    ASSERT_TRUE(second) << error;
    EXPECT_TRUE(second->loadState(componentState, controllerState, error)) << error;
    EXPECT_DOUBLE_EQ(second->controller()->getParamNormalized(0), 0.75);
    EXPECT_DOUBLE_EQ(second->controller()->getParamNormalized(1), 1.0);

    componentState.resize(8);  // a damaged project
    EXPECT_FALSE(second->loadState(componentState, {}, error));
    EXPECT_EQ(error, "the component did not accept its state");
}

TEST_F(Vst3Host, AssignmentErrorsNameTheProblem) {
    const struct {
        ParameterAssignment assignment;
        const char* message;
    } cases[] = {
        {{"Volume", "1", false}, "unknown parameter 'Volume' (known: Gain, Polarity, Clipped)"},
        {{"Gain", "loud", false}, "parameter 'Gain' does not accept the value 'loud'"},
        {{"Gain", "", false}, "parameter 'Gain' does not accept the value ''"},
        {{"Gain", "3", false}, "value 3 is outside the range of parameter 'Gain' (0.000000 to 2.000000)"},
        {{"Polarity", "sideways", false}, "parameter 'Polarity' does not accept the value 'sideways'"},
        {{"Gain", "1.5", true}, "normalised value for 'Gain' must be a number from 0 to 1, not '1.5'"},
        {{"Gain", "x", true}, "normalised value for 'Gain' must be a number from 0 to 1, not 'x'"},
    };
    for (const auto& c : cases) {
        std::vector<ParameterChange> changes;
        EXPECT_FALSE(resolveAssignments(session->instance(), {c.assignment}, changes, error));
        EXPECT_EQ(error, c.message);
    }
}

TEST(Vst3HostModule, MissingAndBrokenBundlesAreReported) {
    std::string error;
    EXPECT_FALSE(Vst3Module::open(kBundle + "-missing", error));
    EXPECT_EQ(error, "no VST3 bundle or module at '" + kBundle + "-missing'");

    const std::filesystem::path empty = std::filesystem::path(QUIL_TEST_SCRATCH) / "Empty.vst3";
    std::filesystem::create_directories(empty / "Contents");
    error.clear();
    EXPECT_FALSE(Vst3Module::open(empty.string(), error));
    EXPECT_NE(error.find("has no binary for this platform"), std::string::npos) << error;

    const std::filesystem::path junk = std::filesystem::path(QUIL_TEST_SCRATCH) / "junk.vst3";
    std::ofstream(junk) << "not a library";
    error.clear();
    EXPECT_FALSE(Vst3Module::open(junk.string(), error));
    EXPECT_NE(error.find("cannot load"), std::string::npos) << error;
}
