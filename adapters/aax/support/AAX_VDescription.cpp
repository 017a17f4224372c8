#include "adapters/aax/support/AAX_VDescription.h"


namespace aax {
namespace {

template <class T>
T* createComponent(IACFComponentFactory* factory, const acfUID& componentId, const acfIID& iid) {
    void* out = nullptr;
    if (!factory || factory->CreateComponent(componentId, nullptr, iid, &out) != ACF_OK) return nullptr;
    return static_cast<T*>(out);
}

} // namespace

AAX_VPropertyMap::AAX_VPropertyMap(IACFComponentFactory* factory)
    : mMap(createComponent<AAX_IACFPropertyMap>(factory, AAXCompID_AAXPropertyMap, IID_IAAXPropertyMapV1)) {}

int32_t AAX_VPropertyMap::AddProperty(int32_t property, int32_t value) {
    return mMap ? mMap->AddProperty(property, value) : AAX_ERROR_NULL_OBJECT;
}

AAX_VComponentDescriptor::AAX_VComponentDescriptor(IACFComponentFactory* factory)
    : mDescriptor(createComponent<AAX_IACFComponentDescriptor>(factory, AAXCompID_AAXComponentDescriptor,
                                                               IID_IAAXComponentDescriptorV1)) {}

int32_t AAX_VComponentDescriptor::AddAudioIn(int32_t field) {
    return mDescriptor ? mDescriptor->AddAudioIn(field) : AAX_ERROR_NULL_OBJECT;
}

int32_t AAX_VComponentDescriptor::AddAudioOut(int32_t field) {
    return mDescriptor ? mDescriptor->AddAudioOut(field) : AAX_ERROR_NULL_OBJECT;
}

int32_t AAX_VComponentDescriptor::AddAudioBufferLength(int32_t field) {
    return mDescriptor ? mDescriptor->AddAudioBufferLength(field) : AAX_ERROR_NULL_OBJECT;
}

int32_t AAX_VComponentDescriptor::AddPrivateData(int32_t field, int32_t dataSize, uint32_t options) {
    return mDescriptor ? mDescriptor->AddPrivateData(field, dataSize, options) : AAX_ERROR_NULL_OBJECT;
}

int32_t AAX_VComponentDescriptor::AddMIDINode(int32_t field, int32_t nodeType, const char* name,
                                              uint32_t channelMask) {
    return mDescriptor ? mDescriptor->AddMIDINode(field, nodeType, name, channelMask) : AAX_ERROR_NULL_OBJECT;
}

int32_t AAX_VComponentDescriptor::AddMeters(int32_t field, const uint32_t* meterIds, uint32_t meterCount) {
    return mDescriptor ? mDescriptor->AddMeters(field, meterIds, meterCount) : AAX_ERROR_NULL_OBJECT;
}

int32_t AAX_VComponentDescriptor::AddAuxOutputStem(int32_t field, int32_t stemFormat, const char* name) {
    return mDescriptor ? mDescriptor->AddAuxOutputStem(field, stemFormat, name) : AAX_ERROR_NULL_OBJECT;
}

int32_t AAX_VComponentDescriptor::AddProcessProc_Native(AAX_CProcessProc proc, const AAX_VPropertyMap& properties) {
    if (!mDescriptor) return AAX_ERROR_NULL_OBJECT;
    return mDescriptor->AddProcessProc_Native(proc, properties.Interface(), nullptr, nullptr, nullptr);
}

AAX_VEffectDescriptor::AAX_VEffectDescriptor(IACFComponentFactory* factory)
    : mFactory(factory), mDescriptor(createComponent<AAX_IACFEffectDescriptor>(factory, AAXCompID_AAXEffectDescriptor,
                                                                               IID_IAAXEffectDescriptorV1)) {}

std::unique_ptr<AAX_VComponentDescriptor> AAX_VEffectDescriptor::NewComponentDescriptor() const {
    return std::make_unique<AAX_VComponentDescriptor>(mFactory);
}

std::unique_ptr<AAX_VPropertyMap> AAX_VEffectDescriptor::NewPropertyMap() const {
    return std::make_unique<AAX_VPropertyMap>(mFactory);
}

int32_t AAX_VEffectDescriptor::AddComponent(const AAX_VComponentDescriptor& component) {
    if (!mDescriptor || !component.Interface()) return AAX_ERROR_NULL_OBJECT;
    return mDescriptor->AddComponent(component.Interface());
}

int32_t AAX_VEffectDescriptor::AddName(const char* name) {
    return mDescriptor ? mDescriptor->AddName(name) : AAX_ERROR_NULL_OBJECT;
}

int32_t AAX_VEffectDescriptor::AddCategory(uint32_t category) {
    return mDescriptor ? mDescriptor->AddCategory(category) : AAX_ERROR_NULL_OBJECT;
}

int32_t AAX_VEffectDescriptor::AddProcPtr(void* procPtr, int32_t procId) {
    return mDescriptor ? mDescriptor->AddProcPtr(procPtr, procId) : AAX_ERROR_NULL_OBJECT;
}

AAX_VCollection::AAX_VCollection(IACFUnknown* hostUnknown)
    : mFactory(queryHostInterface<IACFComponentFactory>(hostUnknown, IID_IACFComponentFactory)),
      mCollection(createComponent<AAX_IACFCollection>(mFactory.get(), AAXCompID_AAXCollection, IID_IAAXCollectionV1)) {}

std::unique_ptr<AAX_VEffectDescriptor> AAX_VCollection::NewDescriptor() const {
    auto descriptor = std::make_unique<AAX_VEffectDescriptor>(mFactory.get());
    if (!descriptor->IsValid()) return nullptr;
    return descriptor;
}

int32_t AAX_VCollection::AddEffect(const char* effectId, const AAX_VEffectDescriptor& descriptor) {
    if (!mCollection || !descriptor.Interface()) return AAX_ERROR_NULL_OBJECT;
    return mCollection->AddEffect(effectId, descriptor.Interface());
}

int32_t AAX_VCollection::SetManufacturerName(const char* name) {
    return mCollection ? mCollection->SetManufacturerName(name) : AAX_ERROR_NULL_OBJECT;
}

int32_t AAX_VCollection::AddPackageName(const char* name) {
    return mCollection ? mCollection->AddPackageName(name) : AAX_ERROR_NULL_OBJECT;
}

int32_t AAX_VCollection::SetPackageVersion(uint32_t version) {
    return mCollection ? mCollection->SetPackageVersion(version) : AAX_ERROR_NULL_OBJECT;
}

IACFPluginDefinition* AAX_VCollection::PluginDefinition() const {
    return queryHostInterface<IACFPluginDefinition>(mCollection.get(), IID_IACFPluginDefinition);
}

} // namespace aax
