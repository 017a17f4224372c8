// Reference counting, interface queries and the controller's bookkeeping of host objects.
#include "Vst3Fixtures.h"

#include "adapters/vst3/api/UnitInfo.h"

#include <gtest/gtest.h>

using namespace vst3;
using namespace vst3test;

TEST(Vst3Object, CountStartsAtOneAndLastReleaseDeletes) {
    bool destroyed = false;
    auto* effect = new TestEffect(&destroyed);
    EXPECT_EQ(effect->refCount(), 1u);
    EXPECT_EQ(effect->addRef(), 2u);
    EXPECT_EQ(effect->release(), 1u);
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(effect->release(), 0u);
    EXPECT_TRUE(destroyed);
}

TEST(Vst3Object, QueryGivesTheInterfaceSubObjectWithAReference) {
    auto* effect = new TestEffect;
    const struct {
        const char* name;
        const Uid& iid;
        void* expected;
    } cases[] = {
        {"FUnknown", FUnknown::iid, effect->unknown()},
        {"IDependent", IDependent::iid, static_cast<IDependent*>(effect)},
        {"IPluginBase", IPluginBase::iid, static_cast<IPluginBase*>(static_cast<ComponentBase*>(effect))},
        {"IConnectionPoint", IConnectionPoint::iid, static_cast<IConnectionPoint*>(effect)},
        {"IEditController", IEditController::iid, static_cast<IEditController*>(effect)},
        {"IEditController2", IEditController2::iid, static_cast<IEditController2*>(effect)},
        {"IComponent", IComponent::iid, static_cast<IComponent*>(effect)},
        {"IAudioProcessor", IAudioProcessor::iid, static_cast<IAudioProcessor*>(effect)},
        {"FObject", FObject::iid, static_cast<FObject*>(effect)},
    };
    for (const auto& c : cases) {
        void* obj = nullptr;
        EXPECT_EQ(effect->queryInterface(c.iid.bytes, &obj), kResultOk) << c.name;
        EXPECT_EQ(obj, c.expected) << c.name;
        EXPECT_EQ(effect->refCount(), 2u) << c.name;
        effect->release();
    }
    effect->release();
}

TEST(Vst3Object, EveryInterfaceAnswersTheSameIdentity) {
    auto* effect = new TestEffect;
    FUnknown* paths[] = {static_cast<IComponent*>(effect), static_cast<IAudioProcessor*>(effect),
                         static_cast<IEditController*>(effect), static_cast<IConnectionPoint*>(effect)};
    for (FUnknown* path : paths) {
        void* identity = nullptr;
        ASSERT_EQ(path->queryInterface(FUnknown::iid.bytes, &identity), kResultOk);
        EXPECT_EQ(identity, effect->unknown());
        path->release();
    }
    EXPECT_EQ(effect->refCount(), 1u);
    effect->release();
}

TEST(Vst3Object, RefusedQueryClearsTheResult) {
    auto* effect = new TestEffect;
    void* obj = effect;  // a stale value the query must overwrite
    EXPECT_EQ(effect->queryInterface(IUnitInfo::iid.bytes, &obj), kNoInterface);
    EXPECT_EQ(obj, nullptr);
    obj = effect;
    EXPECT_EQ(static_cast<IAudioProcessor*>(effect)->queryInterface(IPlugView::iid.bytes, &obj), kNoInterface);
    EXPECT_EQ(obj, nullptr);
    EXPECT_EQ(effect->queryInterface(nullptr, &obj), kInvalidArgument);
    EXPECT_EQ(obj, nullptr);
    EXPECT_EQ(effect->queryInterface(IComponent::iid.bytes, nullptr), kInvalidArgument);
    EXPECT_EQ(effect->refCount(), 1u);
    effect->release();
}

TEST(Vst3Object, ClassNamesAnswerForTheBases) {
    auto* effect = new TestEffect;
    EXPECT_STREQ(effect->className(), "TestEffect");
    for (const char* base : {"TestEffect", "SingleComponentEffect", "EditController", "ComponentBase", "FObject"})
        EXPECT_TRUE(effect->isTypeOf(base)) << base;
    EXPECT_FALSE(effect->isTypeOf("EditController", false));
    EXPECT_FALSE(effect->isTypeOf("Parameter"));
    EXPECT_FALSE(effect->isTypeOf(nullptr));
    effect->release();
}

TEST(Vst3Object, InitializeKeepsTheContextUntilTerminate) {
    auto* context = new RecordingHandler;
    auto* effect = new TestEffect;
    EXPECT_EQ(effect->initialize(context->unknown()), kResultOk);
    EXPECT_EQ(context->refCount(), 2u);
    EXPECT_EQ(effect->getHostContext(), context->unknown());
    EXPECT_EQ(effect->initialize(context->unknown()), kResultFalse);
    EXPECT_EQ(effect->terminate(), kResultOk);
    EXPECT_EQ(context->refCount(), 1u);
    EXPECT_EQ(effect->getParameterCount(), 0);
    EXPECT_EQ(effect->getBusCount(kAudio, kInput), 0);
    effect->release();
    context->release();
}

TEST(Vst3Object, ComponentHandlerReceivesEditsAndIsReleased) {
    auto* handler = new RecordingHandler;
    auto* effect = new TestEffect;
    EXPECT_EQ(effect->beginEdit(7), kResultFalse);  // no handler yet
    EXPECT_EQ(effect->setComponentHandler(handler), kResultTrue);
    EXPECT_EQ(handler->refCount(), 2u);
    effect->beginEdit(7);
    effect->performEdit(7, 0.5);
    effect->endEdit(7);
    effect->restartComponent(kLatencyChanged);
    EXPECT_EQ(handler->calls, (std::vector<std::string>{"begin 7", "perform 7 0.500000", "end 7", "restart 8"}));
    effect->terminate();
    EXPECT_EQ(handler->refCount(), 1u);
    EXPECT_EQ(effect->beginEdit(7), kResultFalse);
    effect->release();
    handler->release();
}

TEST(Vst3Object, DestroyingAnInitialisedObjectReleasesHostObjects) {
    auto* handler = new RecordingHandler;
    auto* effect = new TestEffect;
    effect->initialize(handler->unknown());
    effect->setComponentHandler(handler);
    EXPECT_EQ(handler->refCount(), 3u);
    effect->release();
    EXPECT_EQ(handler->refCount(), 1u);
    handler->release();
}
