#pragma once
// Wrappers of the host's description objects, used while the module registers: the collection
// (made from the host's unknown), effect descriptors, component descriptors and property maps.
// Each holds one reference to its host object and releases it when it goes; calls on a wrapper
// without a host object report AAX_ERROR_NULL_OBJECT. Only the collection's plug-in definition
// outlives registration.

#include "adapters/aax/support/AaxHostInterfaces.h"

#include <memory>

namespace aax {

// Owns one reference to a host object of type T.
template <class T>
class HostRef {
public:
    HostRef() = default;
    explicit HostRef(T* object) : mObject(object) {}
    ~HostRef() { reset(); }
    HostRef(const HostRef&) = delete;
    HostRef& operator=(const HostRef&) = delete;
    HostRef(HostRef&& other) noexcept : mObject(other.mObject) { other.mObject = nullptr; }

    T* get() const { return mObject; }
    T* operator->() const { return mObject; }
    explicit operator bool() const { return mObject != nullptr; }
    void reset(T* object = nullptr) {
        if (mObject) mObject->Release();
        mObject = object;
    }

private:
    T* mObject = nullptr;
};

class AAX_VPropertyMap {
public:
    explicit AAX_VPropertyMap(IACFComponentFactory* factory);
    int32_t AddProperty(int32_t property, int32_t value);
    IACFUnknown* Interface() const { return mMap.get(); }

private:
    HostRef<AAX_IACFPropertyMap> mMap;
};

class AAX_VComponentDescriptor {
public:
    explicit AAX_VComponentDescriptor(IACFComponentFactory* factory);
    int32_t AddAudioIn(int32_t field);
    int32_t AddAudioOut(int32_t field);
    int32_t AddAudioBufferLength(int32_t field);
    int32_t AddPrivateData(int32_t field, int32_t dataSize, uint32_t options);
    int32_t AddMIDINode(int32_t field, int32_t nodeType, const char* name, uint32_t channelMask);
    int32_t AddMeters(int32_t field, const uint32_t* meterIds, uint32_t meterCount);
    int32_t AddAuxOutputStem(int32_t field, int32_t stemFormat, const char* name);
    int32_t AddProcessProc_Native(AAX_CProcessProc proc, const AAX_VPropertyMap& properties);
    IACFUnknown* Interface() const { return mDescriptor.get(); }

private:
    HostRef<AAX_IACFComponentDescriptor> mDescriptor;
};

class AAX_VEffectDescriptor {
public:
    explicit AAX_VEffectDescriptor(IACFComponentFactory* factory);
    bool IsValid() const { return static_cast<bool>(mDescriptor); }
    // New descriptors made by the same host factory (invalid ones when the host gives none).
    std::unique_ptr<AAX_VComponentDescriptor> NewComponentDescriptor() const;
    std::unique_ptr<AAX_VPropertyMap> NewPropertyMap() const;
    int32_t AddComponent(const AAX_VComponentDescriptor& component);
    int32_t AddName(const char* name);
    int32_t AddCategory(uint32_t category);
    int32_t AddProcPtr(void* procPtr, int32_t procId);
    IACFUnknown* Interface() const { return mDescriptor.get(); }

private:
    IACFComponentFactory* mFactory;
    HostRef<AAX_IACFEffectDescriptor> mDescriptor;
};

class AAX_VCollection {
public:
    // Asks the host's unknown for its component factory and the factory for a collection.
    explicit AAX_VCollection(IACFUnknown* hostUnknown);
    bool IsValid() const { return static_cast<bool>(mCollection); }
    // A new effect descriptor; null when the host gives none.
    std::unique_ptr<AAX_VEffectDescriptor> NewDescriptor() const;
    int32_t AddEffect(const char* effectId, const AAX_VEffectDescriptor& descriptor);
    int32_t SetManufacturerName(const char* name);
    int32_t AddPackageName(const char* name);
    int32_t SetPackageVersion(uint32_t version);
    // The collection's plug-in definition (+1 reference, for the host), or null.
    IACFPluginDefinition* PluginDefinition() const;

private:
    HostRef<IACFComponentFactory> mFactory;
    HostRef<AAX_IACFCollection> mCollection;
};

} // namespace aax
