// The FenwoxQuil bundle as a host sees it: the class it announces (and its module description),
// the parameter list, state, bus negotiation, MIDI mapping and the images in the library.
#include "FenwoxQuilVst3Fixture.h"

#include "adapters/vst3/api/Host.h"
#include "adapters/vst3/api/PlugView.h"
#include "adapters/vst3/base/Utf16.h"
#include "tests/vst3/LoopFrame.h"

#include <cstring>
#include <fstream>
#include <sstream>

#ifdef _WIN32
#include "raster/Png.h"
#endif

using namespace vst3;
using namespace quilhost;
using namespace fenwoxquil_test;

namespace {

std::string field(const char* text, std::size_t size) { return std::string(text, strnlen(text, size)); }

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

TEST_F(FenwoxQuilVst3, AnnouncesOneDelayClassAndItsModuleDescriptionAgrees) {
    IPluginFactory* factory = session->module().factory();
    PFactoryInfo factoryInfo{};
    ASSERT_EQ(factory->getFactoryInfo(&factoryInfo), kResultOk);
    EXPECT_EQ(field(factoryInfo.vendor, 64), "Fenwox");
    EXPECT_EQ(factoryInfo.flags, 16);
    ASSERT_EQ(factory->countClasses(), 1);

    IPluginFactory2* factory2 = queryInterfaceOf<IPluginFactory2>(factory);
    ASSERT_NE(factory2, nullptr);
    PClassInfo2 info{};
    ASSERT_EQ(factory2->getClassInfo2(0, &info), kResultOk);
    factory2->release();
    EXPECT_EQ(field(info.name, 64), "FenwoxQuil");
    EXPECT_EQ(field(info.category, 32), "Audio Module Class");
    EXPECT_EQ(field(info.subCategories, 128), "Fx|Delay");
    EXPECT_EQ(field(info.vendor, 64), "");
    EXPECT_EQ(field(info.version, 64), "1.0.3");
    EXPECT_EQ(field(info.sdkVersion, 64), "VST 3.5.2");
    EXPECT_EQ(info.classFlags, 2u);
    EXPECT_EQ(info.cardinality, 2147483647);
    EXPECT_EQ(std::string(info.cid + 8, 8), "FnWxQuil");

    // Hosts may list the class from the description alone: every value must be the factory's.
    const std::string description = readFile(std::string(QUIL_FENWOXQUIL_BUNDLE) + "/Contents/Resources/moduleinfo.json");
    ASSERT_FALSE(description.empty());
    const std::string expected[] = {
        "\"Name\": \"FenwoxQuil\"",
        "\"Version\": \"" + field(info.version, 64) + "\"",
        "\"Vendor\": \"" + field(factoryInfo.vendor, 64) + "\"",
        "\"URL\": \"" + field(factoryInfo.url, 256) + "\"",
        "\"E-Mail\": \"" + field(factoryInfo.email, 128) + "\"",
        "\"Unicode\": true",
        "\"CID\": \"" + Uid::toText(info.cid) + "\"",
        "\"Category\": \"" + field(info.category, 32) + "\"",
        "\"Name\": \"" + field(info.name, 64) + "\"",
        "\"Vendor\": \"" + field(info.vendor, 64) + "\"",
        "\"SDKVersion\": \"" + field(info.sdkVersion, 64) + "\"",
        "\"Sub Categories\": [\"Fx\", \"Delay\"]",
        "\"Class Flags\": " + std::to_string(info.classFlags),
        "\"Cardinality\": " + std::to_string(info.cardinality),
    };
    for (const std::string& entry : expected) EXPECT_NE(description.find(entry), std::string::npos) << entry;
}

TEST_F(FenwoxQuilVst3, ParametersComePresetBypassTheNineThenMidiControllers) {
    const auto parameters = plugin().parameters();
    ASSERT_EQ(parameters.size(), 2u + kParams + 128u);
    constexpr int32 automate = ParameterInfo::kCanAutomate, list = ParameterInfo::kIsList;
    const struct {
        const char* title;
        ParamID id;
        const char* units;
        int32 steps;
        int32 flags;
        double defaultNormalized;  // what a host's "reset to default" sets
    } expected[] = {
        {"Preset", kPreset, "", 1, ParameterInfo::kIsProgramChange, 0.0},
        {"Bypass", kBypass, "", 1, automate | list | ParameterInfo::kIsBypass, 0.0},
        {"Delay range", 0, "", 3, automate | list, 0.0},
        {"Time", 1, "%", 0, automate, 0.0},
        {"Feedback", 2, "%", 0, automate, 0.0},
        {"Effect Level", 3, "%", 0, automate, 0.0},
        {"Stereo Mode", 4, "", 1, automate | list, 0.0},
        {"Analog Sat.", 5, "", 1, automate | list, 1.0},
        {"Analog Hiss", 6, "", 1, automate | list, 1.0},
        {"Sync 16th", 7, "", 8, automate | list, 0.0},
        {"Effect Active", 8, "", 1, automate | list, 0.0},
    };
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const ParameterEntry& parameter = parameters[i];
        EXPECT_EQ(parameter.title, expected[i].title) << i;
        EXPECT_EQ(parameter.info.id, expected[i].id) << i;
        EXPECT_EQ(parameter.units, expected[i].units) << i;
        EXPECT_EQ(parameter.info.stepCount, expected[i].steps) << i;
        EXPECT_EQ(parameter.info.flags, expected[i].flags) << i;
        EXPECT_EQ(parameter.info.unitId, 0) << i;
        EXPECT_EQ(parameter.info.defaultNormalizedValue, expected[i].defaultNormalized) << i;
    }
    for (int c = 0; c < 128; ++c) {
        const ParameterEntry& controller = parameters[std::size(expected) + c];
        EXPECT_EQ(controller.title, "MIDI CC") << c;
        EXPECT_EQ(controller.info.id, static_cast<ParamID>(kParams + c)) << c;
        EXPECT_EQ(controller.info.flags, automate) << c;
    }
    // Texts as the plug-in shows them, through the controller.
    EXPECT_EQ(plugin().valueText(0, 1.0 / 3.0), "50ms - 200ms");
    EXPECT_EQ(plugin().valueText(0, 1.0), "hold");
    EXPECT_EQ(plugin().valueText(7, 3.0 / 8.0), "3");
    EXPECT_EQ(plugin().valueText(2, 0.5), "50");
}

TEST_F(FenwoxQuilVst3, MidiController7MapsToIdentifier16) {
    IMidiMapping* mapping = queryInterfaceOf<IMidiMapping>(plugin().controller());
    ASSERT_NE(mapping, nullptr);
    ParamID id = 0;
    ASSERT_EQ(mapping->getMidiControllerAssignment(0, 0, 7, id), kResultTrue);
    EXPECT_EQ(id, 16u);
    mapping->release();
}

TEST_F(FenwoxQuilVst3, StateRoundTripRestoresEveryParameterAndBypass) {
    const AudioData silence{44100.0, {std::vector<float>(64), std::vector<float>(64)}};
    render(silence, {{"Delay range", "hold", false},
                     {"Time", "37", false},
                     {"Feedback", "63", false},
                     {"Effect Level", "81", false},
                     {"Stereo Mode", "on", false},
                     {"Analog Sat.", "off", false},
                     {"Analog Hiss", "off", false},
                     {"Sync 16th", "5", false},
                     {"Effect Active", "on", false},
                     {"Bypass", "1", true}});
    std::vector<std::uint8_t> componentState, controllerState;
    ASSERT_TRUE(plugin().saveState(componentState, controllerState, error)) << error;
    ASSERT_EQ(controllerState.size(), kParams * 8u + 4u);

    auto restored = session->createInstance(error);
    ASSERT_TRUE(restored) << error;
    for (ParamID id = 0; id < kParams; ++id) {
        EXPECT_NE(restored->controller()->getParamNormalized(id), plugin().controller()->getParamNormalized(id))
            << id << " is at its default: the round trip would not show it";
    }
    EXPECT_TRUE(restored->loadState({}, controllerState, error)) << error;
    for (ParamID id = 0; id < kParams; ++id)
        EXPECT_DOUBLE_EQ(restored->controller()->getParamNormalized(id), plugin().controller()->getParamNormalized(id))
            << id;
    EXPECT_EQ(restored->controller()->getParamNormalized(kBypass), 1.0);

    // Without the trailing bypass flag the parameters still arrive, but the restore reports false.
    auto partial = session->createInstance(error);
    controllerState.resize(controllerState.size() - 4);
    EXPECT_FALSE(partial->loadState({}, controllerState, error));
    for (ParamID id = 0; id < kParams; ++id)
        EXPECT_DOUBLE_EQ(partial->controller()->getParamNormalized(id), plugin().controller()->getParamNormalized(id))
            << id;
    EXPECT_EQ(partial->controller()->getParamNormalized(kBypass), 0.0);
}

TEST_F(FenwoxQuilVst3, TakesMonoOrStereoOnBothSidesButNotMonoToStereo) {
    IAudioProcessor* processor = plugin().processor();
    IComponent* component = plugin().component();
    SpeakerArrangement mono = 0x80000, stereo = 0x3;
    EXPECT_EQ(processor->setBusArrangements(&mono, 1, &stereo, 1), kResultFalse);
    EXPECT_EQ(processor->setBusArrangements(&stereo, 1, &stereo, 1), kResultTrue);
    BusInfo bus{};
    ASSERT_EQ(component->getBusInfo(kAudio, kInput, 0, bus), kResultTrue);
    EXPECT_EQ(toUtf8(bus.name, 128), "Main Input");
    EXPECT_EQ(processor->setBusArrangements(&mono, 1, &mono, 1), kResultTrue);
    ASSERT_EQ(component->getBusInfo(kAudio, kInput, 0, bus), kResultTrue);
    EXPECT_EQ(toUtf8(bus.name, 128), "Input");
    EXPECT_EQ(bus.channelCount, 1);
    EXPECT_EQ(component->getBusCount(kAudio, kInput), 1);
    ASSERT_EQ(component->getBusInfo(kAudio, kOutput, 0, bus), kResultTrue);
    EXPECT_EQ(bus.channelCount, 1);
}

#ifdef _WIN32
// The editor loads its images from the library's own resources, by module handle.
TEST_F(FenwoxQuilVst3, EditorImagesAreResourcesOfTheLibrary) {
    const struct {
        int id, width, height;
    } images[] = {{100, 410, 460}, {101, 64, 6400}, {102, 64, 256}, {103, 90, 32}, {104, 16, 32}};
    for (const auto& image : images) {
        std::unique_ptr<Raster_IBitmap> bitmap(Raster_PngFromResource(session->module().library(), image.id));
        ASSERT_NE(bitmap, nullptr) << image.id;
        EXPECT_EQ(bitmap->PixelWidth(), image.width) << image.id;
        EXPECT_EQ(bitmap->PixelHeight(), image.height) << image.id;
    }
    // This program links no images of its own: the library's are the only ones.
    EXPECT_EQ(Raster_PngFromResource(nullptr, 100), nullptr);
}
#endif

TEST_F(FenwoxQuilVst3, EditorViewsComeAtTheEditorsSizeAndAttachToTheHostsWindow) {
    IPlugView* first = plugin().controller()->createView("editor");
    IPlugView* second = plugin().controller()->createView("editor");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(plugin().controller()->createView("Editor"), nullptr);

    ViewRect size{};
    ASSERT_EQ(first->getSize(&size), kResultOk);
    EXPECT_EQ(size.getWidth(), 410);
    EXPECT_EQ(size.getHeight(), 460);
    EXPECT_EQ(first->isPlatformTypeSupported(vst3test::kNativeWindowType), kResultTrue);
    EXPECT_EQ(first->isPlatformTypeSupported(vst3test::kForeignWindowType), kResultFalse);
    int hostWindow = 0;
#if defined(_WIN32)
    // A handle that is no window gets no editor rather than a view that shows nothing. (Opening it
    // in a real window is the Windows editor tests' business.)
    EXPECT_EQ(first->attached(&hostWindow, kPlatformTypeHWND), kResultFalse);
    EXPECT_EQ(first->removed(), kResultOk);
#else
    // The Linux editor runs on the host's loop: a host frame without one gets no editor. (Opening
    // it in a real window is the X11 editor tests' business.)
    EXPECT_EQ(first->attached(&hostWindow, kPlatformTypeX11EmbedWindowID), kResultFalse);
    EXPECT_EQ(first->removed(), kResultOk);
#endif
    first->release();
    second->release();
}
