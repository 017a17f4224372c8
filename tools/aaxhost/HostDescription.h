#pragma once
// The host's side of registration: the unknown handed to ACFRegisterPlugin, its component factory
// and the description objects it creates (collection, effect descriptors, component descriptors,
// property maps). Each records what the plug-in tells it; the records are what the rest of the
// host works from.

#include "adapters/aax/support/AaxHostInterfaces.h"
#include "tools/aaxhost/HostObject.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace aaxhost {

class HostFactory;

// One context field as a component declared it.
struct FieldRecord {
    enum Kind { AudioIn, AudioOut, BufferLength, PrivateData, MidiNode, Meters, Other };
    FieldRecord(int32_t index, Kind fieldKind = Other) : field(index), kind(fieldKind) {}
    int32_t field = -1;
    Kind kind = Other;
    int32_t size = 0;        // private data bytes
    int32_t nodeType = -1;   // MIDI node type
    std::string name;        // MIDI node name
    uint32_t mask = 0;       // MIDI channel mask
};

struct ComponentRecord {
    std::vector<FieldRecord> fields;  // in declaration order
    std::map<int32_t, int32_t> properties;
    aax::AAX_CProcessProc processProc = nullptr;
    int processProcCount = 0;

    const FieldRecord* field(int32_t index) const;
    int32_t property(int32_t id, int32_t otherwise = -1) const;
    // The number of pointer slots a context needs: one past the highest declared field.
    int32_t contextSize() const;
};

struct EffectRecord {
    std::vector<std::string> names;
    std::vector<uint32_t> categories;
    std::map<int32_t, void*> procs;  // creation procedures by procedure id
    std::vector<ComponentRecord> components;
};

struct CollectionRecord {
    std::vector<std::pair<std::string, EffectRecord>> effects;
    std::vector<std::string> packageNames;
    std::vector<std::string> manufacturerNames;
    uint32_t packageVersion = 0;
};

class HostPropertyMap final : public HostObject<aax::AAX_IACFPropertyMap> {
public:
    int32_t QueryInterface(const aax::acfIID& iid, void** out) override;
    uint8_t GetProperty(int32_t property, int32_t* outValue) const override;
    int32_t AddProperty(int32_t property, int32_t value) override;
    int32_t RemoveProperty(int32_t property) override;

    std::map<int32_t, int32_t> values;
};

class HostComponentDescriptor final : public HostObject<aax::AAX_IACFComponentDescriptor> {
public:
    explicit HostComponentDescriptor(HostFactory& factory) : mFactory(factory) {}
    int32_t QueryInterface(const aax::acfIID& iid, void** out) override;
    int32_t Clear() override;
    int32_t AddReservedField(int32_t field, uint32_t fieldType) override;
    int32_t AddAudioIn(int32_t field) override;
    int32_t AddAudioOut(int32_t field) override;
    int32_t AddAudioBufferLength(int32_t field) override;
    int32_t AddSampleRate(int32_t field) override;
    int32_t AddClock(int32_t field) override;
    int32_t AddSideChainIn(int32_t field) override;
    int32_t AddDataInPort(int32_t field, uint32_t packetSize, int32_t portType) override;
    int32_t AddAuxOutputStem(int32_t field, int32_t stemFormat, const char* name) override;
    int32_t AddPrivateData(int32_t field, int32_t dataSize, uint32_t options) override;
    int32_t AddDmaInstance(int32_t field, int32_t mode) override;
    int32_t AddMIDINode(int32_t field, int32_t nodeType, const char* name, uint32_t channelMask) override;
    int32_t AddProcessProc_Native(aax::AAX_CProcessProc proc, aax::IACFUnknown* propertyMap,
                                  aax::AAX_CInstanceInitProc initProc, aax::AAX_CBackgroundProc backgroundProc,
                                  uint32_t* outProcId) override;
    int32_t AddProcessProc_TI(const char*, const char*, aax::IACFUnknown*, const char*, const char*,
                              uint32_t*) override;
    int32_t AddMeters(int32_t field, const uint32_t* meterIds, uint32_t meterCount) override;

    ComponentRecord record;

private:
    int32_t add(FieldRecord field);
    HostFactory& mFactory;
};

class HostEffectDescriptor final : public HostObject<aax::AAX_IACFEffectDescriptor> {
public:
    explicit HostEffectDescriptor(HostFactory& factory) : mFactory(factory) {}
    int32_t QueryInterface(const aax::acfIID& iid, void** out) override;
    int32_t AddComponent(aax::IACFUnknown* componentDescriptor) override;
    int32_t AddName(const char* name) override;
    int32_t AddCategory(uint32_t category) override;
    int32_t AddCategoryBypassParameter(uint32_t, const char*) override;
    int32_t AddProcPtr(void* procPtr, int32_t procId) override;
    int32_t SetProperties(aax::IACFUnknown*) override;
    int32_t AddResourceInfo(int32_t, const char*) override;
    int32_t AddMeterDescription(uint32_t, const char*, aax::IACFUnknown*) override;

    EffectRecord record;

private:
    HostFactory& mFactory;
};

class HostCollection final : public HostObject<aax::AAX_IACFCollection> {
public:
    explicit HostCollection(HostFactory& factory) : mFactory(factory) {}
    int32_t QueryInterface(const aax::acfIID& iid, void** out) override;
    int32_t DefineAttribute(const aax::acfUID&, const aax::acfUID&, const void*, uint32_t) override;
    int32_t GetAttributeInfo(const aax::acfUID&, aax::acfUID*, uint32_t*) override;
    int32_t CopyAttribute(const aax::acfUID&, const aax::acfUID&, void*, uint32_t) override;
    int32_t InitializePlugin(const aax::acfUID&, uint32_t, uint32_t, const wchar_t*, const aax::acfUID&,
                             const wchar_t*, uint32_t, int32_t) override;
    int32_t AddEffect(const char* effectId, aax::IACFUnknown* effectDescriptor) override;
    int32_t SetManufacturerName(const char* name) override;
    int32_t AddPackageName(const char* name) override;
    int32_t SetPackageVersion(uint32_t version) override;
    int32_t SetProperties(aax::IACFUnknown*) override;

    CollectionRecord record;

private:
    HostFactory& mFactory;
};

class HostServices final : public HostObject<aax::AAX_IACFHostServices> {
public:
    int32_t QueryInterface(const aax::acfIID& iid, void** out) override;
    int32_t Assert(const char*, int32_t, const char*) override { return aax::AAX_SUCCESS; }
    int32_t Trace(int32_t, const char*) override { return aax::AAX_SUCCESS; }
};

// The component factory; it owns everything it creates for the length of the session.
class HostFactory final : public HostObject<aax::IACFComponentFactory> {
public:
    int32_t QueryInterface(const aax::acfIID& iid, void** out) override;
    int32_t CreateComponent(const aax::acfUID& componentId, aax::IACFUnknown* outer, const aax::acfIID& iid,
                            void** out) override;
    int32_t CreateInstance(const aax::acfCLSID&, aax::IACFUnknown*, const aax::acfIID&, void** out) override;
    int32_t GetClassFactory(const aax::acfCLSID&, const aax::acfIID&, void** out) override;
    int32_t FindDefinition(const aax::acfUID&, const aax::acfIID&, aax::IACFDefinition** out) override;
    int32_t EnumDefinitions(const aax::acfUID&, aax::IACFUnknown** out) override;

    // The host's own object behind a pointer the plug-in passes back, or null.
    HostComponentDescriptor* componentDescriptor(aax::IACFUnknown* unknown) const;
    HostEffectDescriptor* effectDescriptor(aax::IACFUnknown* unknown) const;
    HostPropertyMap* propertyMap(aax::IACFUnknown* unknown) const;

    HostCollection* collection() const { return mCollections.empty() ? nullptr : mCollections.back().get(); }
    HostServices& services() { return mServices; }
    // References the plug-in still holds on any object this factory made (and on the factory).
    int32_t outstandingReferences() const;

private:
    std::vector<std::unique_ptr<HostCollection>> mCollections;
    std::vector<std::unique_ptr<HostEffectDescriptor>> mEffects;
    std::vector<std::unique_ptr<HostComponentDescriptor>> mComponents;
    std::vector<std::unique_ptr<HostPropertyMap>> mMaps;
    HostServices mServices;
};

// The unknown handed to the exports: it leads to the component factory.
class HostUnknown final : public HostObject<aax::IACFUnknown> {
public:
    int32_t QueryInterface(const aax::acfIID& iid, void** out) override;
    HostFactory& factory() { return mFactory; }

private:
    HostFactory mFactory;
};

} // namespace aaxhost
