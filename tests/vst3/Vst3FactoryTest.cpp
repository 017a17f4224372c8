// The class factory: class records, instance creation and its failure answers, lifetime.
#include "Vst3Fixtures.h"

#include "adapters/vst3/base/PluginFactory.h"
#include "adapters/vst3/base/Utf16.h"

#include <gtest/gtest.h>

#include <string>

using namespace vst3;
using namespace vst3test;

namespace {

bool gDestroyed = false;

FUnknown* createTestEffect(void*) { return (new TestEffect(&gDestroyed))->unknown(); }
FUnknown* createNothing(void*) { return nullptr; }

const Uid kClassId = Uid::fromWords(0x11111111, 0x22222222, 0x33333333, 0x44444444);

PClassInfo2 classInfo(const Uid& cid, const char* name) {
    PClassInfo2 info{};
    std::memcpy(info.cid, cid.bytes, 16);
    info.cardinality = kManyInstances;
    copyToField(info.category, sizeof info.category, "Audio Module Class");
    copyToField(info.name, sizeof info.name, name);
    info.classFlags = kSimpleModeSupported;
    copyToField(info.subCategories, sizeof info.subCategories, "Fx|Delay");
    copyToField(info.version, sizeof info.version, "1.0.3");
    copyToField(info.sdkVersion, sizeof info.sdkVersion, "VST 3.5.2");
    return info;
}

class Vst3Factory : public ::testing::Test {
protected:
    void SetUp() override {
        PFactoryInfo info{};
        copyToField(info.vendor, sizeof info.vendor, "Maker");
        info.flags = PFactoryInfo::kUnicode;
        factory = new CPluginFactory(info);
        ASSERT_TRUE(factory->registerClass(classInfo(kClassId, "Thing"), createTestEffect, nullptr));
        gDestroyed = false;
    }
    void TearDown() override {
        if (factory) factory->release();
    }
    CPluginFactory* factory = nullptr;
};

} // namespace

TEST_F(Vst3Factory, ClassRecordsInAllThreeForms) {
    EXPECT_EQ(factory->countClasses(), 1);
    PClassInfo info{};
    ASSERT_EQ(factory->getClassInfo(0, &info), kResultOk);
    EXPECT_EQ(std::memcmp(info.cid, kClassId.bytes, 16), 0);
    EXPECT_EQ(info.cardinality, kManyInstances);
    EXPECT_STREQ(info.category, "Audio Module Class");
    EXPECT_STREQ(info.name, "Thing");

    PClassInfo2 info2{};
    ASSERT_EQ(factory->getClassInfo2(0, &info2), kResultOk);
    EXPECT_STREQ(info2.subCategories, "Fx|Delay");
    EXPECT_EQ(info2.classFlags, 2u);

    PClassInfoW wide{};
    ASSERT_EQ(factory->getClassInfoUnicode(0, &wide), kResultOk);
    EXPECT_EQ(std::u16string(wide.name), u"Thing");
    EXPECT_EQ(std::u16string(wide.version), u"1.0.3");
    EXPECT_EQ(std::u16string(wide.sdkVersion), u"VST 3.5.2");
    EXPECT_EQ(std::u16string(wide.vendor), u"");
    EXPECT_STREQ(wide.subCategories, "Fx|Delay");

    EXPECT_EQ(factory->getClassInfo(1, &info), kInvalidArgument);
    EXPECT_EQ(factory->getClassInfo2(-1, &info2), kInvalidArgument);
    EXPECT_EQ(factory->getClassInfoUnicode(0, nullptr), kInvalidArgument);
}

TEST_F(Vst3Factory, CreateHandsOutTheRequestedInterfaceWithOneReference) {
    void* obj = nullptr;
    ASSERT_EQ(factory->createInstance(kClassId.bytes, IComponent::iid.bytes, &obj), kResultOk);
    auto* component = static_cast<IComponent*>(obj);
    EXPECT_EQ(component->release(), 0u);
    EXPECT_TRUE(gDestroyed);
}

TEST_F(Vst3Factory, CreateFailuresLeaveNullAndNoObjectBehind) {
    void* obj = factory;
    EXPECT_EQ(factory->createInstance(Uid::fromWords(1, 2, 3, 4).bytes, IComponent::iid.bytes, &obj), kNoInterface);
    EXPECT_EQ(obj, nullptr);

    obj = factory;
    EXPECT_EQ(factory->createInstance(kClassId.bytes, IPluginFactory::iid.bytes, &obj), kNoInterface);
    EXPECT_EQ(obj, nullptr);
    EXPECT_TRUE(gDestroyed);  // the unwanted instance was not leaked

    EXPECT_TRUE(factory->registerClass(classInfo(FUnknown::iid, "Broken"), createNothing, nullptr));
    obj = factory;
    EXPECT_EQ(factory->createInstance(FUnknown::iid.bytes, FUnknown::iid.bytes, &obj), kOutOfMemory);
    EXPECT_EQ(obj, nullptr);
    EXPECT_EQ(factory->createInstance(nullptr, FUnknown::iid.bytes, &obj), kInvalidArgument);
}

TEST_F(Vst3Factory, RegistrationRefusesDuplicatesAndMissingCreators) {
    EXPECT_FALSE(factory->registerClass(classInfo(kClassId, "Again"), createTestEffect, nullptr));
    EXPECT_FALSE(factory->registerClass(classInfo(FUnknown::iid, "NoCreator"), nullptr, nullptr));
    EXPECT_EQ(factory->countClasses(), 1);
}

TEST_F(Vst3Factory, AnswersItsInterfacesAndClearsItsOwnerSlotWhenDestroyed) {
    CPluginFactory* slot = factory;
    factory->setOwnerSlot(&slot);
    for (const Uid* iid : {&FUnknown::iid, &IPluginFactory::iid, &IPluginFactory2::iid, &IPluginFactory3::iid}) {
        void* obj = nullptr;
        ASSERT_EQ(factory->queryInterface(iid->bytes, &obj), kResultOk);
        EXPECT_EQ(obj, static_cast<IPluginFactory3*>(factory));
        factory->release();
    }
    void* obj = factory;
    EXPECT_EQ(factory->queryInterface(IComponent::iid.bytes, &obj), kNoInterface);
    EXPECT_EQ(obj, nullptr);
    factory->release();
    factory = nullptr;
    EXPECT_EQ(slot, nullptr);
}

TEST_F(Vst3Factory, FactoryInfoIsCopiedOut) {
    PFactoryInfo info{};
    ASSERT_EQ(factory->getFactoryInfo(&info), kResultOk);
    EXPECT_STREQ(info.vendor, "Maker");
    EXPECT_EQ(info.flags, 16);
    EXPECT_EQ(factory->getFactoryInfo(nullptr), kInvalidArgument);
}
