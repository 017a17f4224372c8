#pragma once
// Interfaces the AAX host implements and the plug-in calls: the description objects used while
// registering, and the runtime objects an instance receives (controller, automation delegate,
// transport, view container, host services). Methods in their binary slot order; each interface
// extends the one it derives from.

#include "adapters/aax/support/AaxTypes.h"
#include "adapters/aax/support/AcfInterfaces.h"

namespace aax {

class AAX_IString;
struct AAX_SPlugInIdentifierTriad;

class AAX_IACFCollection : public IACFPluginDefinition {
public:
    virtual int32_t AddEffect(const char* effectId, IACFUnknown* effectDescriptor) = 0;
    virtual int32_t SetManufacturerName(const char* name) = 0;
    virtual int32_t AddPackageName(const char* name) = 0;
    virtual int32_t SetPackageVersion(uint32_t version) = 0;
    virtual int32_t SetProperties(IACFUnknown* propertyMap) = 0;
};

class AAX_IACFEffectDescriptor : public IACFUnknown {
public:
    virtual int32_t AddComponent(IACFUnknown* componentDescriptor) = 0;
    virtual int32_t AddName(const char* name) = 0;
    virtual int32_t AddCategory(uint32_t category) = 0;
    virtual int32_t AddCategoryBypassParameter(uint32_t category, const char* paramId) = 0;
    virtual int32_t AddProcPtr(void* procPtr, int32_t procId) = 0;
    virtual int32_t SetProperties(IACFUnknown* propertyMap) = 0;
    virtual int32_t AddResourceInfo(int32_t resourceType, const char* info) = 0;
    virtual int32_t AddMeterDescription(uint32_t meterId, const char* name, IACFUnknown* propertyMap) = 0;
};

class AAX_IACFComponentDescriptor : public IACFUnknown {
public:
    virtual int32_t Clear() = 0;
    virtual int32_t AddReservedField(int32_t field, uint32_t fieldType) = 0;
    virtual int32_t AddAudioIn(int32_t field) = 0;
    virtual int32_t AddAudioOut(int32_t field) = 0;
    virtual int32_t AddAudioBufferLength(int32_t field) = 0;
    virtual int32_t AddSampleRate(int32_t field) = 0;
    virtual int32_t AddClock(int32_t field) = 0;
    virtual int32_t AddSideChainIn(int32_t field) = 0;
    virtual int32_t AddDataInPort(int32_t field, uint32_t packetSize, int32_t portType) = 0;
    virtual int32_t AddAuxOutputStem(int32_t field, int32_t stemFormat, const char* name) = 0;
    virtual int32_t AddPrivateData(int32_t field, int32_t dataSize, uint32_t options) = 0;
    virtual int32_t AddDmaInstance(int32_t field, int32_t mode) = 0;
    virtual int32_t AddMIDINode(int32_t field, int32_t nodeType, const char* name, uint32_t channelMask) = 0;
    virtual int32_t AddProcessProc_Native(AAX_CProcessProc proc, IACFUnknown* propertyMap,
                                          AAX_CInstanceInitProc initProc, AAX_CBackgroundProc backgroundProc,
                                          uint32_t* outProcId) = 0;
    virtual int32_t AddProcessProc_TI(const char* dllFileName, const char* processProcSymbol,
                                      IACFUnknown* propertyMap, const char* initSymbol, const char* backgroundSymbol,
                                      uint32_t* outProcId) = 0;
    virtual int32_t AddMeters(int32_t field, const uint32_t* meterIds, uint32_t meterCount) = 0;
};

class AAX_IACFPropertyMap : public IACFUnknown {
public:
    virtual uint8_t GetProperty(int32_t property, int32_t* outValue) const = 0;
    virtual int32_t AddProperty(int32_t property, int32_t value) = 0;
    virtual int32_t RemoveProperty(int32_t property) = 0;
};

class AAX_IACFController : public IACFUnknown {
public:
    virtual int32_t GetEffectID(AAX_IString* outEffectId) const = 0;
    virtual int32_t GetSampleRate(float* outRate) const = 0;
    virtual int32_t GetInputStemFormat(uint32_t* outStemFormat) const = 0;
    virtual int32_t GetOutputStemFormat(uint32_t* outStemFormat) const = 0;
    virtual int32_t GetSignalLatency(int32_t* outSamples) const = 0;
    virtual int32_t GetCycleCount(int32_t which, int32_t* outCycles) const = 0;
    virtual int32_t GetTODLocation(int64_t* outTod) const = 0;
    virtual int32_t SetSignalLatency(int32_t samples) = 0;
    virtual int32_t SetCycleCount(int32_t* which, int32_t* values, int32_t count) = 0;
    virtual int32_t PostPacket(int32_t field, const void* payload, uint32_t size) = 0;
    virtual int32_t GetCurrentMeterValue(uint32_t meterId, float* out) const = 0;
    virtual int32_t GetMeterPeakValue(uint32_t meterId, float* out) const = 0;
    virtual int32_t ClearMeterPeakValue(uint32_t meterId) const = 0;
    virtual int32_t GetMeterClipped(uint32_t meterId, uint8_t* outClipped) const = 0;
    virtual int32_t ClearMeterClipped(uint32_t meterId) const = 0;
    virtual int32_t GetMeterCount(uint32_t* outCount) const = 0;
    virtual int32_t GetNextMIDIPacket(int32_t* outField, AAX_CMidiPacket* outPacket) = 0;
};

class AAX_IACFAutomationDelegate : public IACFUnknown {
public:
    virtual int32_t RegisterParameter(const char* paramId) = 0;
    virtual int32_t UnregisterParameter(const char* paramId) = 0;
    virtual int32_t PostSetValueRequest(const char* paramId, double normalizedValue) const = 0;
    virtual int32_t PostCurrentValue(const char* paramId, double normalizedValue) const = 0;
    virtual int32_t PostTouchRequest(const char* paramId) = 0;
    virtual int32_t PostReleaseRequest(const char* paramId) = 0;
    virtual int32_t GetTouchState(const char* paramId, uint8_t* outTouched) = 0;
};

class AAX_IACFViewContainer : public IACFUnknown {
public:
    virtual int32_t GetType() = 0;
    virtual void* GetPtr() = 0;
    virtual int32_t GetModifiers(uint32_t* outModifiers) = 0;
    virtual int32_t SetViewSize(AAX_Point& size) = 0;
    virtual int32_t HandleParameterMouseDown(const char* paramId, uint32_t modifiers) = 0;
    virtual int32_t HandleParameterMouseDrag(const char* paramId, uint32_t modifiers) = 0;
    virtual int32_t HandleParameterMouseUp(const char* paramId, uint32_t modifiers) = 0;
};

class AAX_IACFHostServices : public IACFUnknown {
public:
    virtual int32_t Assert(const char* file, int32_t line, const char* note) = 0;
    virtual int32_t Trace(int32_t priority, const char* message) = 0;
};

// Objects of an MSVC-built host that are plain C++ classes with a virtual destructor, not ACF
// interfaces. Under MSVC the destructor takes one slot (the scalar deleting destructor, slot 0);
// GCC would give it two. So no destructor is declared here: slot 0 is a placeholder that is never
// called, and every method sits in the MSVC slot the host fills.

class AAX_IString {
public:
    virtual void* msvcDeletingDestructor(uint32_t flags) = 0;
    virtual uint32_t Length() const = 0;
    virtual uint32_t MaxLength() const = 0;
    virtual const char* Get() const = 0;
    virtual void Set(const char* text) = 0;
    // MSVC places the two assignment overloads in reverse declaration order: the C-string one first.
    virtual AAX_IString& AssignText(const char* text) = 0;
    virtual AAX_IString& AssignString(const AAX_IString& other) = 0;
};

class AAX_ITransport {
public:
    virtual void* msvcDeletingDestructor(uint32_t flags) = 0;
    virtual int32_t GetCurrentTempo(double* bpm) const = 0;
    virtual int32_t GetCurrentMeter(int32_t* numerator, int32_t* denominator) const = 0;
    virtual int32_t IsTransportPlaying(bool* playing) const = 0;
    virtual int32_t GetCurrentTickPosition(int64_t* ticks) const = 0;
    virtual int32_t GetCurrentLoopPosition(bool* looping, int64_t* loopStartTick, int64_t* loopEndTick) const = 0;
    virtual int32_t GetCurrentNativeSampleLocation(int64_t* sampleLocation) const = 0;
    virtual int32_t GetCustomTickPosition(int64_t* outTicks, int64_t sampleLocation) const = 0;
    virtual int32_t GetBarBeatPosition(int32_t* bars, int32_t* beats, int64_t* displayTicks,
                                       int64_t sampleLocation) const = 0;
    virtual int32_t GetTicksPerQuarter(uint32_t* ticks) const = 0;
    virtual int32_t GetCurrentTicksPerBeat(uint32_t* ticks) const = 0;
    // Later slots exist only on newer hosts and are never called through this unversioned object.
};

class AAX_IMIDINode {
public:
    virtual void* msvcDeletingDestructor(uint32_t flags) = 0;
    virtual AAX_CMidiStream* GetNodeBuffer() = 0;
    virtual int32_t PostMIDIPacket(AAX_CMidiPacket* packet) = 0;
    virtual AAX_ITransport* GetTransport() = 0;
};

// Writes `text` into a host string through its Set slot, the one slot every host fills the same way.
inline int32_t setHostString(AAX_IString* out, const char* text) {
    if (!out) return AAX_ERROR_NULL_ARGUMENT;
    out->Set(text ? text : "");
    return AAX_SUCCESS;
}

} // namespace aax
