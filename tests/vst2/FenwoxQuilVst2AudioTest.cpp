// Audio through the FenwoxQuil VST2 library: renders equal to the VST3 bundle's, the three
// processing functions, blocks beyond the announced size, missing channels, MIDI, host tempo, and
// hosts that call with no record or after closing it.
#include "FenwoxQuilVst2Fixture.h"

#include "tools/host/DemoPhrase.h"
#include "tools/host/HostSession.h"

#include <algorithm>
#include <cmath>

using namespace vst2;
using namespace quilhost;
using namespace fenwoxquil_vst2_test;

namespace {

constexpr double kRate = 44100.0;

AudioData impulse(std::size_t at, std::size_t frames) {
    std::vector<float> samples(frames, 0.0f);
    samples[at] = 0.5f;
    return AudioData{kRate, {samples, samples}};
}

// The first sample at or after `from` above `level`, or the length.
std::size_t firstAbove(const std::vector<float>& samples, std::size_t from, float level) {
    for (std::size_t i = from; i < samples.size(); ++i) {
        if (std::fabs(samples[i]) > level) return i;
    }
    return samples.size();
}

const std::vector<ParameterAssignment> kEcho = {{"Effect Active", "on", false},
                                                {"Effect Level", "100", false},
                                                {"Feedback", "50", false},
                                                {"Delay range", "12.5ms - 50ms", false},
                                                {"Analog Hiss", "off", false}};

// Stereo buffers of one sample width with a host's channel pointer arrays.
template <class Sample>
struct Stereo {
    explicit Stereo(int frames, Sample fill = 0) : left(frames, fill), right(frames, fill) {}
    std::vector<Sample> left, right;
    Sample* channels[2] = {left.data(), right.data()};
};

template <class Sample>
Stereo<Sample> sine(int frames) {
    Stereo<Sample> s(frames);
    for (int i = 0; i < frames; ++i) s.left[i] = s.right[i] = static_cast<Sample>(0.5 * std::sin(0.05 * i));
    return s;
}

// An effect of the library with no host behind it, set up the way hosts do.
class BareEffect {
public:
    BareEffect(EntryFunction entry, int block) : effect(entry(answerNothing)) {
        if (!effect) return;
        effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
        effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, 44100.0f);
        effect->dispatcher(effect, effSetBlockSize, 0, block, nullptr, 0.0f);
        for (int p : {kEffectActive, kEffectLevel, kFeedback}) effect->setParameter(effect, p, 1.0f);
        effect->setParameter(effect, kAnalogHiss, 0.0f);
        effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
    }
    ~BareEffect() {
        if (effect) effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    }
    static VstIntPtr QUIL_VST2_CALL answerNothing(AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float) { return 0; }

    AEffect* effect;
};

} // namespace

TEST_F(FenwoxQuilVst2, RendersEqualTheVst3Renders) {
    const AudioData phrase = makeDemoPhrase(kRate, 2);
    AudioData input = phrase;
    for (auto& channel : input.channels) channel.resize(static_cast<std::size_t>(1.5 * kRate));
    const struct {
        const char* name;
        std::vector<ParameterAssignment> assignments;
        int block;
        bool doublePrecision;
    } settings[] = {
        {"dry", {}, 512, false},
        {"slap-back", {{"Effect Active", "on"}, {"Effect Level", "80"}, {"Delay range", "50ms - 200ms"}, {"Time", "20"}}, 512, false},
        {"long", {{"Effect Active", "on"}, {"Effect Level", "70"}, {"Delay range", "200ms - 800ms"}, {"Time", "60"}, {"Feedback", "45"}}, 512, true},
        {"hold", {{"Delay range", "hold"}, {"Time", "50"}, {"Effect Level", "80"}, {"Effect Active", "on", false, 0.6}}, 512, false},
        {"sync", {{"Effect Active", "on"}, {"Effect Level", "70"}, {"Sync 16th", "3"}, {"Feedback", "50"}}, 333, false},
        {"stereo", {{"Effect Active", "on"}, {"Stereo Mode", "on"}, {"Effect Level", "80"}, {"Time", "70"}, {"Feedback", "50"}}, 4096, true},
    };
    auto vst3 = HostSession::open(QUIL_FENWOXQUIL_VST3_BUNDLE, error);
    ASSERT_TRUE(vst3) << error;
    for (const auto& setting : settings) {
        // The hiss is seeded from the clock when an instance is made: renders match only without it.
        auto s = setting;
        s.assignments.push_back({"Analog Hiss", "off"});
        RenderSettings render;
        render.config.maxBlockSize = 512;
        render.config.doublePrecision = s.doublePrecision;
        render.blockSize = s.block;
        ASSERT_TRUE(resolveAssignments(vst3->instance(), s.assignments, render.changes, error)) << error;
        ASSERT_TRUE(vst3->instance().prepare(render.config, error)) << error;
        AudioData expected;
        ASSERT_TRUE(renderAudio(vst3->instance(), input, render, expected, error)) << error;
        vst3->instance().stop();

        render.changes.clear();
        ASSERT_TRUE(resolveVst2Assignments(*session.library, s.assignments, render.changes, error)) << error;
        auto fresh = Vst2Plugin::create(session.library->entry(), error);
        ASSERT_TRUE(fresh) << error;
        fresh->prepare(kRate, 512, true);
        AudioData rendered;
        ASSERT_TRUE(renderVst2(*fresh, input, render, rendered, error)) << error;
        EXPECT_GT(rendered.peak(), 0.05f) << s.name;
        EXPECT_TRUE(rendered.channels == expected.channels) << s.name << " differs from the VST3 render";
        vst3 = HostSession::open(QUIL_FENWOXQUIL_VST3_BUNDLE, error);
        ASSERT_TRUE(vst3) << error;
    }
}

TEST_F(FenwoxQuilVst2, SingleDoubleAndAccumulatingProcessing) {
    constexpr int kFrames = 400;
    BareEffect single(session.library->entry(), kFrames), twice(session.library->entry(), kFrames),
        adding(session.library->entry(), kFrames);
    ASSERT_TRUE(single.effect && twice.effect && adding.effect);
    Stereo<float> in = sine<float>(kFrames), out(kFrames), sum(kFrames, 0.25f);
    Stereo<double> inDouble = sine<double>(kFrames), outDouble(kFrames);
    single.effect->processReplacing(single.effect, in.channels, out.channels, kFrames);
    twice.effect->processDoubleReplacing(twice.effect, inDouble.channels, outDouble.channels, kFrames);
    adding.effect->process(adding.effect, in.channels, sum.channels, kFrames);
    ASSERT_GT(*std::max_element(out.right.begin(), out.right.end()), 0.1f);
    for (int i = 0; i < kFrames; ++i) {
        ASSERT_NEAR(out.left[i], outDouble.left[i], 1e-6) << i;
        ASSERT_NEAR(out.right[i], outDouble.right[i], 1e-6) << i;
        ASSERT_NEAR(sum.left[i], 0.25f + out.left[i], 1e-6) << i;
        ASSERT_NEAR(sum.right[i], 0.25f + out.right[i], 1e-6) << i;
    }
}

TEST_F(FenwoxQuilVst2, BlocksLargerThanAnnouncedAreProcessedInPieces) {
    constexpr int kAnnounced = 64, kFrames = 3 * kAnnounced + 17;
    BareEffect whole(session.library->entry(), kAnnounced), pieces(session.library->entry(), kAnnounced);
    Stereo<float> in = sine<float>(kFrames), once(kFrames), split(kFrames);
    whole.effect->processReplacing(whole.effect, in.channels, once.channels, kFrames);
    for (int done = 0; done < kFrames; done += kAnnounced) {
        const int frames = std::min(kAnnounced, kFrames - done);
        float* inputs[2] = {in.left.data() + done, in.right.data() + done};
        float* outputs[2] = {split.left.data() + done, split.right.data() + done};
        pieces.effect->processReplacing(pieces.effect, inputs, outputs, frames);
    }
    EXPECT_EQ(once.left, split.left);
    EXPECT_EQ(once.right, split.right);
}

// Missing arrays or channels read silence and are not written; no frame count makes it write more.
TEST_F(FenwoxQuilVst2, MissingChannelsAndOddFrameCounts) {
    constexpr int kFrames = 100;
    BareEffect bare(session.library->entry(), kFrames);
    AEffect* e = bare.effect;
    Stereo<float> in = sine<float>(kFrames), out(kFrames, 9.0f);
    float* oneOutput[2] = {out.left.data(), nullptr};
    e->processReplacing(e, nullptr, out.channels, kFrames);
    EXPECT_NEAR(out.left[kFrames / 2], 0.0f, 1e-6f) << "no inputs: silence in";
    e->processReplacing(e, in.channels, oneOutput, kFrames);
    e->processReplacing(e, in.channels, nullptr, kFrames);
    float* noInputs[2] = {nullptr, nullptr};
    e->process(e, noInputs, out.channels, kFrames);
    Stereo<double> inDouble = sine<double>(kFrames);
    double* noOutputs[2] = {nullptr, nullptr};
    e->processDoubleReplacing(e, inDouble.channels, noOutputs, kFrames);
    e->processDoubleReplacing(e, nullptr, nullptr, kFrames);

    Stereo<float> untouched(kFrames, 9.0f);
    for (int frames : {0, -1, -1000}) e->processReplacing(e, in.channels, untouched.channels, frames);
    EXPECT_EQ(untouched.left, std::vector<float>(kFrames, 9.0f));
}

// A mono input leaves the second input disconnected: it reads silence, and the host's second
// input buffer is not read.
TEST_F(FenwoxQuilVst2, MonoInputArrangement) {
    constexpr int kFrames = 256;
    BareEffect mono(session.library->entry(), kFrames), stereo(session.library->entry(), kFrames);
    VstSpeakerArrangement one{}, two{};
    one.numChannels = 1;
    two.numChannels = 2;
    EXPECT_EQ(mono.effect->dispatcher(mono.effect, effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&one), &two, 0.0f), 1);
    Stereo<float> in = sine<float>(kFrames), silentRight = sine<float>(kFrames), a(kFrames), b(kFrames);
    std::fill(silentRight.right.begin(), silentRight.right.end(), 0.0f);
    float* onlyLeft[1] = {in.left.data()};
    mono.effect->processReplacing(mono.effect, onlyLeft, a.channels, kFrames);
    stereo.effect->processReplacing(stereo.effect, silentRight.channels, b.channels, kFrames);
    EXPECT_EQ(a.left, b.left);
    EXPECT_EQ(a.right, b.right);
}

TEST_F(FenwoxQuilVst2, MidiEventsReachThePlugin) {
    VstMidiEvent note{};
    note.type = kVstMidiType;
    note.byteSize = 24;  // as one major host writes it
    note.deltaFrames = 5;
    note.midiData[0] = static_cast<char>(0x90);
    note.midiData[1] = 60;
    note.midiData[2] = 100;
    VstEvent other{};
    other.type = 4;
    VstEvents list{};
    list.numEvents = 2;
    list.events[0] = &other;
    list.events[1] = reinterpret_cast<VstEvent*>(&note);
    plugin().clearHostEvents();
    EXPECT_EQ(dispatch(effProcessEvents, 0, 0, &list), 1);
    // The plug-in sends what it receives on to the host.
    const auto& sent = plugin().hostEvents();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].opcode, audioMasterProcessEvents);
    EXPECT_EQ(sent[0].midi, (std::vector<std::uint8_t>{0x90, 60, 100}));

    list.numEvents = -3;
    EXPECT_EQ(dispatch(effProcessEvents, 0, 0, &list), 1);
    EXPECT_EQ(dispatch(effProcessEvents, 0, 0, nullptr), 0);
    EXPECT_EQ(plugin().hostEvents().size(), 1u);
}

// Three sixteenths: 375 ms at 120 BPM, 750 ms at 60 BPM; without a tempo the time control rules.
TEST_F(FenwoxQuilVst2, TempoFromTimeInfoSetsTheSyncedDelay) {
    const AudioData input = impulse(0, static_cast<std::size_t>(0.9 * kRate));
    std::vector<ParameterAssignment> synced = kEcho;
    synced.push_back({"Delay range", "200ms - 800ms"});
    synced.push_back({"Feedback", "0"});
    synced.push_back({"Sync 16th", "3"});
    const struct {
        double tempo;
        bool timeInfo;
        double seconds;
    } cases[] = {{120.0, true, 0.375}, {60.0, true, 0.75}, {120.0, false, 0.8}};
    for (const auto& c : cases) {
        plugin().setTimeInfoAvailable(c.timeInfo);
        const AudioData output = render(input, synced, 64, false, c.tempo);
        const double echo = static_cast<double>(firstAbove(output.channels[1], 200, 0.05f)) / kRate;
        EXPECT_NEAR(echo, c.seconds, 0.015) << c.tempo << " BPM, time information " << c.timeInfo;
    }
}

TEST_F(FenwoxQuilVst2, NoRecordOrAClosedOneIsHarmless) {
    AEffect* e = effect();
    EXPECT_EQ(e->dispatcher(nullptr, effGetVendorVersion, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(e->getParameter(nullptr, 0), 0.0f);
    e->setParameter(nullptr, 0, 0.5f);
    Stereo<float> in = sine<float>(16), out(16);
    e->processReplacing(nullptr, in.channels, out.channels, 16);
    e->process(nullptr, in.channels, out.channels, 16);

    AEffect* closed = session.library->entry()(BareEffect::answerNothing);
    ASSERT_NE(closed, nullptr);
    EXPECT_EQ(closed->dispatcher(closed, effClose, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(closed->dispatcher(closed, effGetVendorVersion, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(closed->dispatcher(closed, effClose, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(closed->getParameter(closed, 0), 0.0f);
    closed->setParameter(closed, 0, 1.0f);
    closed->processReplacing(closed, in.channels, out.channels, 16);
    Stereo<double> d(16);
    closed->processDoubleReplacing(closed, d.channels, d.channels, 16);
}
