#pragma once
// The component-framework layer under AAX: identifiers, result codes and the base interfaces every
// AAX object builds on. Binary layout as a Windows x64 host (MSVC-built) sees it; the same layout
// holds on Linux x86-64, where the test builds run.

#include <cstdint>
#include <cstring>

namespace aax {

#if defined(_WIN32) && !defined(_WIN64)
#error "AAX is built for 64-bit only"
#endif

// The ACF methods are declared __stdcall; on x64 that keyword changes nothing, so none is used.

struct acfUID {
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
};
using acfIID = acfUID;
using acfCLSID = acfUID;
static_assert(sizeof(acfUID) == 16 && alignof(acfUID) == 4, "acfUID is a Windows GUID");

inline bool operator==(const acfUID& a, const acfUID& b) { return std::memcmp(&a, &b, sizeof a) == 0; }
inline bool operator!=(const acfUID& a, const acfUID& b) { return !(a == b); }

// Component-framework results (not the COM numbers).
constexpr int32_t ACF_OK = 0;
constexpr int32_t ACF_E_UNEXPECTED = static_cast<int32_t>(0x8000FFFFu);
constexpr int32_t ACF_E_NOTIMPL = static_cast<int32_t>(0x80000001u);
constexpr int32_t ACF_E_INVALIDARG = static_cast<int32_t>(0x80000003u);
constexpr int32_t ACF_E_NOINTERFACE = static_cast<int32_t>(0x80000004u);
constexpr int32_t ACF_E_POINTER = static_cast<int32_t>(0x80000005u);

class IACFUnknown {
public:
    virtual int32_t QueryInterface(const acfIID& iid, void** out) = 0;
    virtual uint32_t AddRef() = 0;
    virtual uint32_t Release() = 0;
};

class IACFDefinition : public IACFUnknown {
public:
    virtual int32_t DefineAttribute(const acfUID& attributeId, const acfUID& typeId, const void* data,
                                    uint32_t dataSize) = 0;
    virtual int32_t GetAttributeInfo(const acfUID& attributeId, acfUID* typeId, uint32_t* dataSize) = 0;
    virtual int32_t CopyAttribute(const acfUID& attributeId, const acfUID& typeId, void* data, uint32_t dataSize) = 0;
};

class IACFPluginDefinition : public IACFDefinition {
public:
    virtual int32_t InitializePlugin(const acfUID& uid, uint32_t majorVersion, uint32_t minorVersion,
                                     const wchar_t* name, const acfUID& vendorId, const wchar_t* vendorName,
                                     uint32_t componentCount, int32_t cacheDefinition) = 0;
};

class IACFComponentDefinition : public IACFDefinition {
public:
    virtual int32_t InitializeComponent(const acfUID& componentId, const acfUID& componentTypeId,
                                        uint32_t majorVersion, uint32_t minorVersion, const acfCLSID& clsid,
                                        const wchar_t* name) = 0;
};

class IACFComponentFactory : public IACFUnknown {
public:
    virtual int32_t CreateComponent(const acfUID& componentId, IACFUnknown* outer, const acfIID& iid,
                                    void** out) = 0;
    virtual int32_t CreateInstance(const acfCLSID& clsid, IACFUnknown* outer, const acfIID& iid, void** out) = 0;
    virtual int32_t GetClassFactory(const acfCLSID& clsid, const acfIID& iid, void** out) = 0;
    virtual int32_t FindDefinition(const acfUID& uid, const acfIID& iid, IACFDefinition** definition) = 0;
    virtual int32_t EnumDefinitions(const acfUID& componentTypeId, IACFUnknown** enumerator) = 0;
};

// Interface identifiers, written as Data1, Data2, Data3, then the eight bytes in memory order.
constexpr acfUID IID_IACFUnknown{0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr acfUID IID_IACFDefinition{0xE51741F1, 0x7FCF, 0x11D6, {0xAA, 0xC3, 0x00, 0x30, 0x65, 0x42, 0xA0, 0x24}};
constexpr acfUID IID_IACFPluginDefinition{0x00EEF015, 0x7FD0, 0x11D6, {0x84, 0x85, 0x00, 0x30, 0x65, 0x42, 0xA0, 0x24}};
constexpr acfUID IID_IACFComponentFactory{0x382B6A96, 0x7FD0, 0x11D6, {0xBC, 0xFE, 0x00, 0x30, 0x65, 0x42, 0xA0, 0x24}};
constexpr acfUID IID_IAAXCollectionV1{0x96D42C2D, 0xEBBC, 0x41DF, {0xB1, 0xAB, 0x99, 0x91, 0xA2, 0xEE, 0x0C, 0xCA}};
constexpr acfUID IID_IAAXEffectDescriptorV1{0x96D42C2D, 0xEBBC, 0x41EF, {0xD1, 0xCB, 0x49, 0x94, 0x42, 0xE4, 0x0F, 0xDA}};
constexpr acfUID IID_IAAXEffectDescriptorV2{0x41ECCC52, 0x416B, 0x4072, {0x84, 0xBD, 0x40, 0xB0, 0x52, 0x10, 0xA7, 0x4C}};
constexpr acfUID IID_IAAXComponentDescriptorV1{0x96E42C2D, 0xE2BC, 0x51EF, {0x61, 0xC7, 0x48, 0x99, 0x4A, 0xEB, 0x0C, 0xDA}};
constexpr acfUID IID_IAAXPropertyMapV1{0x96EE2C2D, 0xEECC, 0x5EFF, {0xE2, 0xD7, 0xE8, 0x49, 0xE3, 0xE2, 0xEE, 0xEE}};
constexpr acfUID IID_IAAXControllerV1{0x9D5E3E3D, 0x52DC, 0x5EFB, {0x20, 0x18, 0xDE, 0x1D, 0xE2, 0xE6, 0x3F, 0x4E}};
constexpr acfUID IID_IAAXAutomationDelegateV1{0x9D5E3D3D, 0x42DC, 0x5EFA, {0x22, 0x17, 0xEE, 0xE2, 0xE8, 0xE5, 0x3E, 0x2E}};
constexpr acfUID IID_IAAXTransportV1{0x5CEE4EF4, 0x6337, 0x4359, {0xB6, 0x3B, 0xFE, 0x58, 0xDC, 0x36, 0x54, 0x3A}};
constexpr acfUID IID_IAAXViewContainerV1{0x22DA0BBC, 0xD550, 0x4D5E, {0x8C, 0xC6, 0x73, 0x44, 0x83, 0xB8, 0x83, 0x7F}};
constexpr acfUID IID_IAAXHostServicesV1{0x96D42C2D, 0xEBBC, 0x41EF, {0xB0, 0xAB, 0x99, 0x91, 0xA0, 0xED, 0x0C, 0xCA}};
constexpr acfUID IID_IAAXEffectParametersV1{0x964E333D, 0x334C, 0x533F, {0xC2, 0xC7, 0x38, 0x34, 0xC3, 0xC2, 0x3E, 0x3E}};
constexpr acfUID IID_IAAXEffectParametersV2{0xF1F47D06, 0x308F, 0x4CC5, {0x9C, 0x7C, 0x50, 0xA8, 0x3F, 0x8A, 0xB8, 0x13}};
constexpr acfUID IID_IAAXEffectParametersV3{0xD2540E9D, 0x9163, 0x42BB, {0xA6, 0xFD, 0x81, 0xE1, 0x0E, 0xA3, 0x24, 0x98}};
constexpr acfUID IID_IAAXEffectParametersV4{0x2E485536, 0x31A3, 0x4697, {0x9C, 0x16, 0xE5, 0x9B, 0xF6, 0xB2, 0x8A, 0x41}};
constexpr acfUID IID_IAAXEffectGUIV1{0x964E323D, 0x424C, 0x5E1A, {0x22, 0x27, 0x28, 0x24, 0x23, 0x22, 0x2E, 0x1E}};
constexpr acfUID IID_IAAXEffectGUIV2{0xA0A8FB30, 0x7E5D, 0x4B4A, {0xAA, 0x00, 0xBC, 0x33, 0x4A, 0x42, 0x0D, 0xBB}};

// Components the host's factory creates for a plug-in.
constexpr acfUID AAXCompID_AAXCollection{0x89882C2D, 0x77BC, 0x42EF, {0x70, 0x7B, 0x79, 0x81, 0xB7, 0xBD, 0x0C, 0xCA}};
constexpr acfUID AAXCompID_AAXEffectDescriptor{0x89872C2D, 0x75BC, 0x423F, {0x40, 0x1B, 0xF9, 0xA1, 0xBA, 0xAD, 0x0C, 0xCA}};
constexpr acfUID AAXCompID_AAXComponentDescriptor{0x94872C3D, 0x95BC, 0x413D, {0xD0, 0xDB, 0xD9, 0xB1, 0x2A, 0xAD, 0x0C, 0xCA}};
constexpr acfUID AAXCompID_AAXPropertyMap{0xA587AD3D, 0xD53C, 0x4ADC, {0xD0, 0xDD, 0xD9, 0xD1, 0x2D, 0xDD, 0xDC, 0xDA}};
constexpr acfUID AAXCompID_HostServices{0x88882C2D, 0xEBBC, 0x42EF, {0xC0, 0xAB, 0x89, 0x81, 0xB0, 0xBD, 0x0C, 0xCA}};

// A host interface pointer of type T taken from `unknown` by QueryInterface (+1 reference), or null.
template <class T>
T* queryHostInterface(IACFUnknown* unknown, const acfIID& iid) {
    void* out = nullptr;
    if (!unknown || unknown->QueryInterface(iid, &out) != ACF_OK) return nullptr;
    return static_cast<T*>(out);
}

} // namespace aax
