#include "tools/aaxhost/HostDescription.h"

#include <algorithm>

using namespace aax;

namespace aaxhost {

const FieldRecord* ComponentRecord::field(int32_t index) const {
    for (const FieldRecord& f : fields) {
        if (f.field == index) return &f;
    }
    return nullptr;
}

int32_t ComponentRecord::property(int32_t id, int32_t otherwise) const {
    const auto found = properties.find(id);
    return found == properties.end() ? otherwise : found->second;
}

int32_t ComponentRecord::contextSize() const {
    int32_t size = 0;
    for (const FieldRecord& f : fields) size = std::max(size, f.field + 1);
    return size;
}

int32_t HostPropertyMap::QueryInterface(const acfIID& iid, void** out) {
    return answer(iid, out, {IID_IACFUnknown, IID_IAAXPropertyMapV1});
}

uint8_t HostPropertyMap::GetProperty(int32_t property, int32_t* outValue) const {
    const auto found = values.find(property);
    if (found == values.end()) return 0;
    if (outValue) *outValue = found->second;
    return 1;
}

int32_t HostPropertyMap::AddProperty(int32_t property, int32_t value) {
    values[property] = value;
    return AAX_SUCCESS;
}

int32_t HostPropertyMap::RemoveProperty(int32_t property) {
    values.erase(property);
    return AAX_SUCCESS;
}

int32_t HostComponentDescriptor::QueryInterface(const acfIID& iid, void** out) {
    return answer(iid, out, {IID_IACFUnknown, IID_IAAXComponentDescriptorV1});
}

int32_t HostComponentDescriptor::add(FieldRecord field) {
    // A field declared twice is a description fault the host refuses.
    if (field.field < 0 || record.field(field.field)) return AAX_ERROR_INVALID_ARGUMENT;
    record.fields.push_back(std::move(field));
    return AAX_SUCCESS;
}

int32_t HostComponentDescriptor::Clear() {
    record = ComponentRecord();
    return AAX_SUCCESS;
}

int32_t HostComponentDescriptor::AddReservedField(int32_t field, uint32_t) { return add(FieldRecord(field)); }

int32_t HostComponentDescriptor::AddAudioIn(int32_t field) { return add(FieldRecord(field, FieldRecord::AudioIn)); }

int32_t HostComponentDescriptor::AddAudioOut(int32_t field) { return add(FieldRecord(field, FieldRecord::AudioOut)); }

int32_t HostComponentDescriptor::AddAudioBufferLength(int32_t field) {
    return add(FieldRecord(field, FieldRecord::BufferLength));
}

int32_t HostComponentDescriptor::AddSampleRate(int32_t field) { return add(FieldRecord(field)); }

int32_t HostComponentDescriptor::AddClock(int32_t field) { return add(FieldRecord(field)); }

int32_t HostComponentDescriptor::AddSideChainIn(int32_t field) { return add(FieldRecord(field)); }

int32_t HostComponentDescriptor::AddDataInPort(int32_t field, uint32_t, int32_t) { return add(FieldRecord(field)); }

int32_t HostComponentDescriptor::AddAuxOutputStem(int32_t, int32_t, const char*) { return AAX_ERROR_UNIMPLEMENTED; }

int32_t HostComponentDescriptor::AddPrivateData(int32_t field, int32_t dataSize, uint32_t) {
    if (dataSize <= 0) return AAX_ERROR_INVALID_ARGUMENT;
    FieldRecord record(field, FieldRecord::PrivateData);
    record.size = dataSize;
    return add(record);
}

int32_t HostComponentDescriptor::AddDmaInstance(int32_t, int32_t) { return AAX_ERROR_UNIMPLEMENTED; }

int32_t HostComponentDescriptor::AddMIDINode(int32_t field, int32_t nodeType, const char* name, uint32_t channelMask) {
    FieldRecord record(field, FieldRecord::MidiNode);
    record.nodeType = nodeType;
    record.name = name ? name : "";
    record.mask = channelMask;
    return add(record);
}

int32_t HostComponentDescriptor::AddProcessProc_Native(AAX_CProcessProc proc, IACFUnknown* propertyMap,
                                                       AAX_CInstanceInitProc, AAX_CBackgroundProc,
                                                       uint32_t* outProcId) {
    const HostPropertyMap* map = mFactory.propertyMap(propertyMap);
    if (!proc || !map) return AAX_ERROR_NULL_ARGUMENT;
    // The values are copied: the map may be reused or released.
    record.properties = map->values;
    record.processProc = proc;
    ++record.processProcCount;
    if (outProcId) *outProcId = static_cast<uint32_t>(record.processProcCount);
    return AAX_SUCCESS;
}

int32_t HostComponentDescriptor::AddProcessProc_TI(const char*, const char*, IACFUnknown*, const char*, const char*,
                                                   uint32_t*) {
    return AAX_ERROR_UNIMPLEMENTED;
}

int32_t HostComponentDescriptor::AddMeters(int32_t field, const uint32_t*, uint32_t) {
    return add(FieldRecord(field, FieldRecord::Meters));
}

int32_t HostEffectDescriptor::QueryInterface(const acfIID& iid, void** out) {
    return answer(iid, out, {IID_IACFUnknown, IID_IAAXEffectDescriptorV1});
}

int32_t HostEffectDescriptor::AddComponent(IACFUnknown* componentDescriptor) {
    const HostComponentDescriptor* component = mFactory.componentDescriptor(componentDescriptor);
    if (!component) return AAX_ERROR_NULL_ARGUMENT;
    record.components.push_back(component->record);
    return AAX_SUCCESS;
}

int32_t HostEffectDescriptor::AddName(const char* name) {
    if (!name || !*name) return AAX_ERROR_INVALID_ARGUMENT;
    record.names.emplace_back(name);
    return AAX_SUCCESS;
}

int32_t HostEffectDescriptor::AddCategory(uint32_t category) {
    record.categories.push_back(category);
    return AAX_SUCCESS;
}

int32_t HostEffectDescriptor::AddCategoryBypassParameter(uint32_t, const char*) { return AAX_SUCCESS; }

int32_t HostEffectDescriptor::AddProcPtr(void* procPtr, int32_t procId) {
    if (!procPtr) return AAX_ERROR_NULL_ARGUMENT;
    record.procs[procId] = procPtr;
    return AAX_SUCCESS;
}

int32_t HostEffectDescriptor::SetProperties(IACFUnknown*) { return AAX_SUCCESS; }

int32_t HostEffectDescriptor::AddResourceInfo(int32_t, const char*) { return AAX_SUCCESS; }

int32_t HostEffectDescriptor::AddMeterDescription(uint32_t, const char*, IACFUnknown*) { return AAX_SUCCESS; }

int32_t HostCollection::QueryInterface(const acfIID& iid, void** out) {
    return answer(iid, out, {IID_IACFUnknown, IID_IAAXCollectionV1, IID_IACFPluginDefinition, IID_IACFDefinition});
}

int32_t HostCollection::DefineAttribute(const acfUID&, const acfUID&, const void*, uint32_t) { return ACF_E_NOTIMPL; }

int32_t HostCollection::GetAttributeInfo(const acfUID&, acfUID*, uint32_t*) { return ACF_E_NOTIMPL; }

int32_t HostCollection::CopyAttribute(const acfUID&, const acfUID&, void*, uint32_t) { return ACF_E_NOTIMPL; }

int32_t HostCollection::InitializePlugin(const acfUID&, uint32_t, uint32_t, const wchar_t*, const acfUID&,
                                         const wchar_t*, uint32_t, int32_t) {
    return ACF_E_NOTIMPL;
}

int32_t HostCollection::AddEffect(const char* effectId, IACFUnknown* effectDescriptor) {
    const HostEffectDescriptor* effect = mFactory.effectDescriptor(effectDescriptor);
    if (!effect || !effectId) return AAX_ERROR_NULL_ARGUMENT;
    record.effects.emplace_back(effectId, effect->record);
    return AAX_SUCCESS;
}

int32_t HostCollection::SetManufacturerName(const char* name) {
    record.manufacturerNames.emplace_back(name ? name : "");
    return AAX_SUCCESS;
}

int32_t HostCollection::AddPackageName(const char* name) {
    record.packageNames.emplace_back(name ? name : "");
    return AAX_SUCCESS;
}

int32_t HostCollection::SetPackageVersion(uint32_t version) {
    record.packageVersion = version;
    return AAX_SUCCESS;
}

int32_t HostCollection::SetProperties(IACFUnknown*) { return AAX_SUCCESS; }

int32_t HostServices::QueryInterface(const acfIID& iid, void** out) {
    return answer(iid, out, {IID_IACFUnknown, IID_IAAXHostServicesV1});
}

int32_t HostFactory::QueryInterface(const acfIID& iid, void** out) {
    return answer(iid, out, {IID_IACFUnknown, IID_IACFComponentFactory});
}

int32_t HostFactory::CreateComponent(const acfUID& componentId, IACFUnknown*, const acfIID& iid, void** out) {
    if (!out) return ACF_E_POINTER;
    *out = nullptr;
    if (componentId == AAXCompID_AAXCollection) {
        mCollections.push_back(std::make_unique<HostCollection>(*this));
        return mCollections.back()->QueryInterface(iid, out);
    }
    if (componentId == AAXCompID_AAXEffectDescriptor) {
        mEffects.push_back(std::make_unique<HostEffectDescriptor>(*this));
        return mEffects.back()->QueryInterface(iid, out);
    }
    if (componentId == AAXCompID_AAXComponentDescriptor) {
        mComponents.push_back(std::make_unique<HostComponentDescriptor>(*this));
        return mComponents.back()->QueryInterface(iid, out);
    }
    if (componentId == AAXCompID_AAXPropertyMap) {
        mMaps.push_back(std::make_unique<HostPropertyMap>());
        return mMaps.back()->QueryInterface(iid, out);
    }
    if (componentId == AAXCompID_HostServices) return mServices.QueryInterface(iid, out);
    return ACF_E_NOINTERFACE;
}

int32_t HostFactory::CreateInstance(const acfCLSID&, IACFUnknown*, const acfIID&, void** out) {
    if (out) *out = nullptr;
    return ACF_E_NOTIMPL;
}

int32_t HostFactory::GetClassFactory(const acfCLSID&, const acfIID&, void** out) {
    if (out) *out = nullptr;
    return ACF_E_NOTIMPL;
}

int32_t HostFactory::FindDefinition(const acfUID&, const acfIID&, IACFDefinition** out) {
    if (out) *out = nullptr;
    return ACF_E_NOTIMPL;
}

int32_t HostFactory::EnumDefinitions(const acfUID&, IACFUnknown** out) {
    if (out) *out = nullptr;
    return ACF_E_NOTIMPL;
}

namespace {

template <class Object, class List>
Object* findOwn(const List& list, IACFUnknown* unknown) {
    for (const auto& object : list) {
        if (static_cast<IACFUnknown*>(object.get()) == unknown) return object.get();
    }
    return nullptr;
}

template <class List>
int32_t referencesOf(const List& list) {
    int32_t total = 0;
    for (const auto& object : list) total += object->references();
    return total;
}

} // namespace

HostComponentDescriptor* HostFactory::componentDescriptor(IACFUnknown* unknown) const {
    return findOwn<HostComponentDescriptor>(mComponents, unknown);
}

HostEffectDescriptor* HostFactory::effectDescriptor(IACFUnknown* unknown) const {
    return findOwn<HostEffectDescriptor>(mEffects, unknown);
}

HostPropertyMap* HostFactory::propertyMap(IACFUnknown* unknown) const {
    return findOwn<HostPropertyMap>(mMaps, unknown);
}

int32_t HostFactory::outstandingReferences() const {
    return references() + referencesOf(mCollections) + referencesOf(mEffects) + referencesOf(mComponents) +
           referencesOf(mMaps) + mServices.references();
}

int32_t HostUnknown::QueryInterface(const acfIID& iid, void** out) {
    if (iid == IID_IACFComponentFactory) return mFactory.QueryInterface(iid, out);
    return answer(iid, out, {IID_IACFUnknown});
}

} // namespace aaxhost
