// The VST3 adapter through a host: a small plug-in on IEffectVST3 in bundle form, loaded by the
// command-line host's parts. Parameter export, bypass and preset changes in processing, state,
// bus negotiation, MIDI mapping and host block sizes.
#include "adapters/vst3/api/Host.h"
#include "adapters/vst3/api/UnitInfo.h"
#include "adapters/vst3/base/Utf16.h"
#include "tools/host/BlockProcessor.h"
#include "tools/host/HostSession.h"
#include "tools/host/ParameterAssignments.h"

#include <gtest/gtest.h>

using namespace vst3;
using namespace quilhost;

namespace {

std::string text(const char16* value) {
    char buffer[256];
    copyUtf16ToUtf8(buffer, sizeof buffer, value, 128);
    return buffer;
}

AudioData constant(int channels, std::size_t frames, float value) {
    AudioData audio;
    audio.channels.assign(static_cast<std::size_t>(channels), std::vector<float>(frames, value));
    return audio;
}

class Vst3Adapter : public ::testing::Test {
protected:
    void SetUp() override {
        session = HostSession::open(QUIL_ADAPTER_BUNDLE, error);
        ASSERT_TRUE(session) << error;
    }
    PluginInstance& plugin() { return session->instance(); }
    // Renders 0.25 constant input with the given assignments; returns the last output sample.
    float renderLast(const std::vector<ParameterAssignment>& assignments, int block = 64, int maxBlock = 64,
                     bool doublePrecision = false, std::size_t frames = 256) {
        RenderSettings settings;
        EXPECT_TRUE(resolveAssignments(plugin(), assignments, settings.changes, error)) << error;
        settings.config.maxBlockSize = maxBlock;
        settings.config.doublePrecision = doublePrecision;
        settings.blockSize = block;
        EXPECT_TRUE(plugin().prepare(settings.config, error)) << error;
        AudioData output;
        EXPECT_TRUE(renderAudio(plugin(), constant(2, frames, 0.25f), settings, output, error)) << error;
        plugin().stop();
        for (std::size_t i = 0; i < output.frames(); ++i)
            EXPECT_EQ(output.channels[0][i], output.channels[0].back()) << "sample " << i;
        return output.channels[0].back();
    }
    std::string error;
    std::unique_ptr<HostSession> session;
};

} // namespace

TEST_F(Vst3Adapter, ParametersComeInTheAdaptersOrderWithTheirFlags) {
    const auto parameters = plugin().parameters();
    ASSERT_EQ(parameters.size(), 2u + 3u + 128u);
    const struct {
        const char* title;
        ParamID id;
        int32 steps;
        int32 flags;
        UnitID unit;
        const char* units;
    } expected[] = {
        {"Preset", 0x70727374, 1, ParameterInfo::kIsProgramChange, 0, ""},
        {"Bypass", 0x62706173, 1, 0x10009, 0, ""},
        {"Gain", 0, 0, ParameterInfo::kCanAutomate, 1, "x"},
        {"Shape", 1, 2, ParameterInfo::kCanAutomate | ParameterInfo::kIsList, 2, ""},
        {"Invert", 2, 1, ParameterInfo::kCanAutomate | ParameterInfo::kIsList, 1, ""},
        {"MIDI CC", 3, 0, ParameterInfo::kCanAutomate, 0, ""},
    };
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const ParameterInfo& info = parameters[i].info;
        EXPECT_EQ(parameters[i].title, expected[i].title) << i;
        EXPECT_EQ(info.id, expected[i].id) << i;
        EXPECT_EQ(info.stepCount, expected[i].steps) << i;
        EXPECT_EQ(info.flags, expected[i].flags) << i;
        EXPECT_EQ(info.unitId, expected[i].unit) << i;
        EXPECT_EQ(parameters[i].units, expected[i].units) << i;
    }
    EXPECT_EQ(parameters.back().title, "MIDI CC");
    EXPECT_EQ(parameters.back().info.id, 130u);
    EXPECT_EQ(plugin().valueText(1, 0.5), "bright");
    EXPECT_EQ(plugin().valueText(0, 0.25), "0.50");
    EXPECT_EQ(plugin().valueText(0x62706173, 1.0), "?");  // the adapter formats only its own parameters
}

TEST_F(Vst3Adapter, UnitsAndTheProgramList) {
    IUnitInfo* units = queryInterfaceOf<IUnitInfo>(plugin().controller());
    ASSERT_NE(units, nullptr);
    EXPECT_EQ(units->getUnitCount(), 3);
    const char* names[] = {"Root Unit", "Level", "Tone"};
    for (int32 i = 0; i < 3; ++i) {
        UnitInfo info{};
        ASSERT_EQ(units->getUnitInfo(i, info), kResultTrue);
        EXPECT_EQ(text(info.name), names[i]);
        EXPECT_EQ(info.parentUnitId, i == 0 ? -1 : 0);
        EXPECT_EQ(info.programListId, -1);
    }
    UnitInfo info{};
    EXPECT_EQ(units->getUnitInfo(3, info), kResultFalse);
    EXPECT_EQ(units->getProgramListCount(), 0);
    ProgramListInfo list{};
    ASSERT_EQ(units->getProgramListInfo(0, list), kResultTrue);
    EXPECT_EQ(list.id, 0x70727374);
    EXPECT_EQ(text(list.name), "Factory Presets");
    EXPECT_EQ(list.programCount, 1);
    String128 name{};
    ASSERT_EQ(units->getProgramName(list.id, 0, name), kResultTrue);
    EXPECT_EQ(text(name), "Default");
    EXPECT_EQ(units->getProgramName(list.id, 1, name), kResultFalse);
    EXPECT_EQ(units->getProgramName(7, 0, name), kResultFalse);
    units->release();
}

TEST_F(Vst3Adapter, BypassThresholdIsAboveOneHalf) {
    EXPECT_FLOAT_EQ(renderLast({{"Gain", "0.5", false}, {"Bypass", "0.5", true}}), 0.125f);
    EXPECT_FLOAT_EQ(renderLast({{"Bypass", "0.51", true}}), 0.25f);
    // The controller reports the value the host gave it, not the processor's switch.
    EXPECT_EQ(plugin().controller()->getParamNormalized(0x62706173), 0.51);
}

TEST_F(Vst3Adapter, PresetChangeToAPresetThatDoesNotExistDoesNothing) {
    EXPECT_FLOAT_EQ(renderLast({{"Gain", "0.5", false}, {"Preset", "1.0", true}}), 0.125f);
    EXPECT_FLOAT_EQ(renderLast({{"Preset", "0.0", true}}), 0.25f);  // preset 0 holds gain 1
}

TEST_F(Vst3Adapter, DoublePrecisionAndBlocksLargerThanAnnounced) {
    EXPECT_FLOAT_EQ(renderLast({{"Gain", "2", false}}, 64, 64, true), 0.5f);
    EXPECT_FLOAT_EQ(renderLast({{"Invert", "on", false}}, 1000, 48, false, 3000), -0.5f);
    EXPECT_FLOAT_EQ(renderLast({}, 1000, 48, true, 3000), -0.5f);
}

TEST_F(Vst3Adapter, StateRestoresParametersAndBypass) {
    renderLast({{"Gain", "1.5", false}, {"Shape", "dark", false}, {"Bypass", "1", true}});
    std::vector<std::uint8_t> componentState, controllerState;
    ASSERT_TRUE(plugin().saveState(componentState, controllerState, error)) << error;
    ASSERT_EQ(componentState.size(), 3u * 8u + 4u);
    EXPECT_EQ(componentState, controllerState);

    auto restored = session->createInstance(error);
    ASSERT_TRUE(restored) << error;
    EXPECT_TRUE(restored->loadState(componentState, controllerState, error)) << error;
    for (ParamID id : {0u, 1u, 2u, 0x62706173u})
        EXPECT_DOUBLE_EQ(restored->controller()->getParamNormalized(id), plugin().controller()->getParamNormalized(id))
            << id;

    // Without the trailing bypass flag the parameters still arrive, but the restore reports false.
    auto partial = session->createInstance(error);
    componentState.resize(componentState.size() - 4);
    EXPECT_FALSE(partial->loadState(componentState, {}, error));
    EXPECT_DOUBLE_EQ(partial->controller()->getParamNormalized(0), 0.75);
    EXPECT_DOUBLE_EQ(partial->controller()->getParamNormalized(1), 1.0);
    EXPECT_EQ(partial->controller()->getParamNormalized(0x62706173), 0.0);
}

TEST_F(Vst3Adapter, BusNegotiationFollowsTheLegalPairs) {
    IAudioProcessor* processor = plugin().processor();
    IComponent* component = plugin().component();
    SpeakerArrangement mono = 0x80000, stereo = 0x3;
    EXPECT_EQ(processor->setBusArrangements(&stereo, 1, &stereo, 1), kResultTrue);
    EXPECT_EQ(processor->setBusArrangements(&mono, 1, &stereo, 1), kResultFalse);
    EXPECT_EQ(processor->setBusArrangements(&stereo, 1, &mono, 1), kResultFalse);
    BusInfo info{};
    ASSERT_EQ(component->getBusInfo(kAudio, kInput, 0, info), kResultTrue);
    EXPECT_EQ(text(info.name), "Main Input");
    EXPECT_EQ(processor->setBusArrangements(&mono, 1, &mono, 1), kResultTrue);
    ASSERT_EQ(component->getBusInfo(kAudio, kInput, 0, info), kResultTrue);
    EXPECT_EQ(text(info.name), "Input");
    EXPECT_EQ(info.channelCount, 1);
    EXPECT_EQ(component->getBusCount(kAudio, kInput), 1);
    EXPECT_EQ(processor->setBusArrangements(&mono, 2, &mono, 1), kResultFalse);  // no side-chain
    ASSERT_EQ(component->getBusInfo(kEvent, kInput, 0, info), kResultTrue);
    EXPECT_EQ(text(info.name), "MIDI Input");
    EXPECT_EQ(info.channelCount, 1);
}

TEST_F(Vst3Adapter, MidiControllersMapAfterThePluginsParameters) {
    IMidiMapping* mapping = queryInterfaceOf<IMidiMapping>(plugin().controller());
    ASSERT_NE(mapping, nullptr);
    ParamID id = 0;
    ASSERT_EQ(mapping->getMidiControllerAssignment(0, 3, 7, id), kResultTrue);
    EXPECT_EQ(id, 10u);
    EXPECT_EQ(mapping->getMidiControllerAssignment(0, 0, 128, id), kResultFalse);  // aftertouch has no parameter
    mapping->release();
}

TEST_F(Vst3Adapter, InterfacesOfferedAndRefused) {
    void* obj = plugin().component();
    EXPECT_EQ(plugin().component()->queryInterface(IConnectionPoint::iid.bytes, &obj), kNoInterface);
    EXPECT_EQ(obj, nullptr);
    for (const Uid* iid : {&IUnitInfo::iid, &IMidiMapping::iid, &IEditController2::iid, &IPluginBase::iid}) {
        ASSERT_EQ(plugin().component()->queryInterface(iid->bytes, &obj), kResultOk);
        static_cast<FUnknown*>(obj)->release();
    }
    EXPECT_EQ(plugin().processor()->canProcessSampleSize(kSample64), kResultTrue);
    EXPECT_EQ(plugin().processor()->canProcessSampleSize(2), kResultFalse);
    ProcessSetup bad{kRealtime, 7, 64, 44100.0};
    EXPECT_EQ(plugin().processor()->setupProcessing(bad), kResultFalse);
    EXPECT_DOUBLE_EQ(plugin().controller()->plainParamToNormalized(0, 1.0), 0.5);
    EXPECT_DOUBLE_EQ(plugin().controller()->plainParamToNormalized(0x62706173, 0.7), 0.7);
    EXPECT_EQ(plugin().controller()->setParamNormalized(0x70727374, 0.5), kResultFalse);
}
