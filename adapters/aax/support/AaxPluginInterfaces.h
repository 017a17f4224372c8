#pragma once
// Interfaces the plug-in implements and the host calls: the data model (effect parameters) and the
// editor object (effect GUI). The host calls them slot by slot, so their order is the binary
// contract; newer versions extend older ones and one object serves them all.

#include "adapters/aax/support/AaxHostInterfaces.h"

namespace aax {

struct AAX_SHybridRenderInfo;

class AAX_IACFEffectParameters : public IACFUnknown {
public:
    virtual int32_t Initialize(IACFUnknown* controller) = 0;
    virtual int32_t Uninitialize() = 0;
    virtual int32_t NotificationReceived(uint32_t type, const void* data, uint32_t size) = 0;
    virtual int32_t GetNumberOfParameters(int32_t* outCount) const = 0;
    virtual int32_t GetMasterBypassParameter(AAX_IString* outId) const = 0;
    virtual int32_t GetParameterIsAutomatable(const char* id, uint8_t* out) const = 0;
    virtual int32_t GetParameterNumberOfSteps(const char* id, int32_t* out) const = 0;
    virtual int32_t GetParameterName(const char* id, AAX_IString* out) const = 0;
    virtual int32_t GetParameterNameOfLength(const char* id, AAX_IString* out, int32_t maxChars) const = 0;
    virtual int32_t GetParameterDefaultNormalizedValue(const char* id, double* out) const = 0;
    virtual int32_t SetParameterDefaultNormalizedValue(const char* id, double value) = 0;
    virtual int32_t GetParameterType(const char* id, int32_t* out) const = 0;
    virtual int32_t GetParameterOrientation(const char* id, int32_t* out) const = 0;
    virtual int32_t GetParameter(const char* id, void** outParameter) = 0;
    virtual int32_t GetParameterIndex(const char* id, int32_t* outIndex) const = 0;
    virtual int32_t GetParameterIDFromIndex(int32_t index, AAX_IString* outId) const = 0;
    virtual int32_t GetParameterValueInfo(const char* id, int32_t selector, int32_t* out) const = 0;
    virtual int32_t GetParameterValueFromString(const char* id, double* outNormalized,
                                                const AAX_IString& text) const = 0;
    virtual int32_t GetParameterStringFromValue(const char* id, double normalized, AAX_IString* out,
                                                int32_t maxChars) const = 0;
    virtual int32_t GetParameterValueString(const char* id, AAX_IString* out, int32_t maxChars) const = 0;
    virtual int32_t GetParameterNormalizedValue(const char* id, double* out) const = 0;
    virtual int32_t SetParameterNormalizedValue(const char* id, double value) = 0;
    virtual int32_t SetParameterNormalizedRelative(const char* id, double delta) = 0;
    virtual int32_t TouchParameter(const char* id) = 0;
    virtual int32_t ReleaseParameter(const char* id) = 0;
    virtual int32_t UpdateParameterTouch(const char* id, uint8_t touched) = 0;
    virtual int32_t UpdateParameterNormalizedValue(const char* id, double value, int32_t source) = 0;
    virtual int32_t UpdateParameterNormalizedRelative(const char* id, double delta) = 0;
    virtual int32_t GenerateCoefficients() = 0;
    virtual int32_t ResetFieldData(int32_t field, void* block, uint32_t size) const = 0;
    virtual int32_t GetNumberOfChunks(int32_t* out) const = 0;
    virtual int32_t GetChunkIDFromIndex(int32_t index, uint32_t* outChunkId) const = 0;
    virtual int32_t GetChunkSize(uint32_t chunkId, uint32_t* outSize) const = 0;
    virtual int32_t GetChunk(uint32_t chunkId, AAX_SPlugInChunk* chunk) const = 0;
    virtual int32_t SetChunk(uint32_t chunkId, const AAX_SPlugInChunk* chunk) = 0;
    virtual int32_t CompareActiveChunk(const AAX_SPlugInChunk* chunk, uint8_t* outEqual) const = 0;
    virtual int32_t GetNumberOfChanges(int32_t* out) const = 0;
    virtual int32_t TimerWakeup() = 0;
    virtual int32_t GetCurveData(uint32_t curveType, const float* in, uint32_t count, float* out) const = 0;
    virtual int32_t GetCustomData(uint32_t blockId, uint32_t size, void* out, uint32_t* outWritten) const = 0;
    virtual int32_t SetCustomData(uint32_t blockId, uint32_t size, const void* in) = 0;
    virtual int32_t DoMIDITransfers() = 0;
};

class AAX_IACFEffectParameters_V2 : public AAX_IACFEffectParameters {
public:
    virtual int32_t RenderAudio_Hybrid(AAX_SHybridRenderInfo* info) = 0;
    virtual int32_t UpdateMIDINodes(int32_t field, AAX_CMidiPacket& packet) = 0;
    virtual int32_t UpdateControlMIDINodes(uint32_t nodeId, AAX_CMidiPacket& packet) = 0;
};

class AAX_IACFEffectParameters_V3 : public AAX_IACFEffectParameters_V2 {
public:
    virtual int32_t GetCurveDataMeterIds(uint32_t curveType, uint32_t* xMeter, uint32_t* yMeter) const = 0;
    virtual int32_t GetCurveDataDisplayRange(uint32_t curveType, float* xMin, float* xMax, float* yMin,
                                             float* yMax) const = 0;
};

class AAX_IACFEffectParameters_V4 : public AAX_IACFEffectParameters_V3 {
public:
    virtual int32_t UpdatePageTable(uint32_t tableType, int32_t pageSize, IACFUnknown* hostUnknown,
                                    IACFUnknown* pageTable) const = 0;
};

class AAX_IACFEffectGUI : public IACFUnknown {
public:
    virtual int32_t Initialize(IACFUnknown* controller) = 0;
    virtual int32_t Uninitialize() = 0;
    virtual int32_t NotificationReceived(uint32_t type, const void* data, uint32_t size) = 0;
    virtual int32_t SetViewContainer(IACFUnknown* viewContainer) = 0;
    virtual int32_t GetViewSize(AAX_Point* outSize) const = 0;
    virtual int32_t Draw(AAX_Rect* rect) = 0;
    virtual int32_t TimerWakeup() = 0;
    virtual int32_t ParameterUpdated(const char* id) = 0;
    virtual int32_t GetCustomLabel(int32_t selector, AAX_IString* out) const = 0;
    virtual int32_t SetControlHighlightInfo(const char* id, uint8_t highlighted, int32_t color) = 0;
};

class AAX_IACFEffectGUI_V2 : public AAX_IACFEffectGUI {
public:
    virtual int32_t GetMinimumViewSize(AAX_Point* outSize) const = 0;
};

} // namespace aax
