// Hosts call through raw vtable slots with the platform's calling convention (stdcall with `this`
// on the stack on i386 Windows). These tests do the same: a wrong slot order, a missing PLUGIN_API
// or a wrong argument size shows up as a wrong answer or a corrupted stack.
#include "Vst3Fixtures.h"

#include "adapters/vst3/base/PluginFactory.h"
#include "adapters/vst3/base/PluginView.h"

#include <gtest/gtest.h>

using namespace vst3;
using namespace vst3test;

namespace {

// Calls vtable slot `slot` of `object` exactly as a host compiled elsewhere would.
template <class R, class... Args>
R callSlot(void* object, int slot, Args... args) {
    using Method = R(PLUGIN_API*)(void*, Args...);
    void** vtable = *static_cast<void***>(object);
    return reinterpret_cast<Method>(vtable[slot])(object, args...);
}

template <class I>
I* query(FUnknown* unknown) {
    I* result = queryInterfaceOf<I>(unknown);
    if (result) result->release();  // the test object keeps its own reference
    return result;
}

class Vst3Vtable : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(effect->initialize(nullptr), kResultOk); }
    void TearDown() override {
        effect->terminate();
        effect->release();
    }
    TestEffect* effect = new TestEffect;
};

} // namespace

TEST_F(Vst3Vtable, ComponentSlots) {
    IComponent* component = query<IComponent>(effect->unknown());
    ASSERT_NE(component, nullptr);
    EXPECT_EQ((callSlot<int32, MediaType, BusDirection>(component, 7, kAudio, kInput)), 1);
    EXPECT_EQ((callSlot<int32, MediaType, BusDirection>(component, 7, kEvent, kInput)), 1);
    BusInfo info{};
    EXPECT_EQ((callSlot<tresult, MediaType, BusDirection, int32, BusInfo*>(component, 8, kAudio, kOutput, 0, &info)),
              kResultTrue);
    EXPECT_EQ(info.channelCount, 2);
    EXPECT_EQ(info.direction, kOutput);
    EXPECT_EQ((callSlot<tresult, MediaType, BusDirection, int32, TBool>(component, 10, kAudio, kInput, 0, 0)),
              kResultTrue);
    EXPECT_FALSE(effect->getAudioBus(kInput, 0)->isActive());
    EXPECT_EQ((callSlot<tresult, TBool>(component, 11, 1)), kResultOk);
}

TEST_F(Vst3Vtable, ProcessorSlots) {
    IAudioProcessor* processor = query<IAudioProcessor>(effect->unknown());
    ASSERT_NE(processor, nullptr);
    EXPECT_EQ((callSlot<tresult, int32>(processor, 5, kSample32)), kResultTrue);
    EXPECT_EQ((callSlot<tresult, int32>(processor, 5, kSample64)), kResultFalse);
    EXPECT_EQ((callSlot<uint32>(processor, 6)), 123u);
    ProcessSetup setup{kOffline, kSample32, 512, 48000.0};
    EXPECT_EQ((callSlot<tresult, ProcessSetup*>(processor, 7, &setup)), kResultOk);
    EXPECT_EQ(effect->getProcessSetup().maxSamplesPerBlock, 512);
    EXPECT_EQ(effect->getProcessSetup().sampleRate, 48000.0);
    SpeakerArrangement arrangement = 0;
    EXPECT_EQ((callSlot<tresult, BusDirection, int32, SpeakerArrangement*>(processor, 4, kInput, 0, &arrangement)),
              kResultTrue);
    EXPECT_EQ(arrangement, SpeakerArr::kStereo);
    EXPECT_EQ((callSlot<uint32>(processor, 10)), 0u);
}

TEST_F(Vst3Vtable, ControllerSlotsPassDoublesBothWays) {
    IEditController* controller = query<IEditController>(effect->unknown());
    ASSERT_NE(controller, nullptr);
    EXPECT_EQ((callSlot<int32>(controller, 8)), 2);
    ParameterInfo info{};
    EXPECT_EQ((callSlot<tresult, int32, ParameterInfo*>(controller, 9, 1, &info)), kResultTrue);
    EXPECT_EQ(info.id, 8u);
    EXPECT_EQ((callSlot<tresult, ParamID, ParamValue>(controller, 15, 7, 0.25)), kResultTrue);
    EXPECT_DOUBLE_EQ((callSlot<ParamValue, ParamID>(controller, 14, 7)), 0.25);
    EXPECT_DOUBLE_EQ((callSlot<ParamValue, ParamID, ParamValue>(controller, 12, 7, 0.5)), -24.0);
    EXPECT_DOUBLE_EQ((callSlot<ParamValue, ParamID, ParamValue>(controller, 13, 7, 12.0)), 1.0);
    String128 text{};
    EXPECT_EQ((callSlot<tresult, ParamID, ParamValue, TChar*>(controller, 10, 8, 1.0, text)), kResultTrue);
    EXPECT_EQ(std::u16string(text), u"on");
    EXPECT_EQ((callSlot<IPlugView*, FIDString>(controller, 17, "editor")), nullptr);

    IEditController2 * controller2 = query<IEditController2>(effect->unknown());
    ASSERT_NE(controller2, nullptr);
    EXPECT_EQ((callSlot<tresult, KnobMode>(controller2, 3, kLinearMode)), kResultTrue);
    EXPECT_EQ(effect->getKnobMode(), kLinearMode);
}

TEST_F(Vst3Vtable, QueryAddRefReleaseThroughSlots) {
    IComponent* component = query<IComponent>(effect->unknown());
    void* obj = nullptr;
    EXPECT_EQ((callSlot<tresult, const char*, void**>(component, 0, IEditController::iid.bytes, &obj)), kResultOk);
    EXPECT_EQ(obj, static_cast<IEditController*>(effect));
    EXPECT_EQ((callSlot<uint32>(component, 1)), 3u);
    EXPECT_EQ((callSlot<uint32>(component, 2)), 2u);
    EXPECT_EQ((callSlot<uint32>(obj, 2)), 1u);
}

TEST(Vst3VtableFactory, FactorySlots) {
    PFactoryInfo factoryInfo{};
    std::strcpy(factoryInfo.vendor, "Maker");
    auto* factory = new CPluginFactory(factoryInfo);
    PClassInfo2 classInfo{};
    std::memcpy(classInfo.cid, IComponent::iid.bytes, 16);
    std::strcpy(classInfo.name, "Thing");
    factory->registerClass(classInfo, [](void*) -> FUnknown* { return (new TestEffect)->unknown(); }, nullptr);

    PFactoryInfo got{};
    EXPECT_EQ((callSlot<tresult, PFactoryInfo*>(factory, 3, &got)), kResultOk);
    EXPECT_STREQ(got.vendor, "Maker");
    EXPECT_EQ((callSlot<int32>(factory, 4)), 1);
    PClassInfo info{};
    EXPECT_EQ((callSlot<tresult, int32, PClassInfo*>(factory, 5, 0, &info)), kResultOk);
    EXPECT_STREQ(info.name, "Thing");
    void* obj = nullptr;
    EXPECT_EQ((callSlot<tresult, const char*, const char*, void**>(factory, 6, classInfo.cid,
                                                                   IAudioProcessor::iid.bytes, &obj)),
              kResultOk);
    ASSERT_NE(obj, nullptr);
    EXPECT_EQ((callSlot<uint32>(obj, 2)), 0u);
    PClassInfoW wide{};
    EXPECT_EQ((callSlot<tresult, int32, PClassInfoW*>(factory, 8, 0, &wide)), kResultOk);
    EXPECT_EQ(std::u16string(wide.name), u"Thing");
    EXPECT_EQ((callSlot<uint32>(factory, 2)), 0u);
}

TEST(Vst3VtableView, ViewSlots) {
    const ViewRect initial{0, 0, 410, 460};
    auto* view = new CPluginView(&initial);
    ViewRect rect{};
    EXPECT_EQ((callSlot<tresult, ViewRect*>(static_cast<IPlugView*>(view), 9, &rect)), kResultTrue);
    EXPECT_EQ(rect.getWidth(), 410);
    EXPECT_EQ(rect.getHeight(), 460);
    EXPECT_EQ((callSlot<tresult, float>(static_cast<IPlugView*>(view), 6, 1.5f)), kResultFalse);
    EXPECT_EQ((callSlot<tresult, char16, int16, int16>(static_cast<IPlugView*>(view), 7, u'a', 0, 0)), kResultFalse);
    int parent = 0;
    EXPECT_EQ((callSlot<tresult, void*, FIDString>(static_cast<IPlugView*>(view), 4, &parent, "HWND")), kResultOk);
    EXPECT_EQ(view->getSystemWindow(), &parent);
    EXPECT_EQ((callSlot<tresult>(static_cast<IPlugView*>(view), 5)), kResultOk);
    EXPECT_EQ(view->getSystemWindow(), nullptr);
    EXPECT_EQ((callSlot<tresult>(static_cast<IPlugView*>(view), 13)), kResultFalse);
    view->release();
}
