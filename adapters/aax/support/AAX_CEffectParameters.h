#pragma once
// The data-model base: the effect-parameters interface the host calls, on a list of AAX parameters
// found by identifier, with the host's controller and automation delegate. A plug-in derives from
// it and fills the list in CreateParameters; it overrides the value, field-data and chunk
// operations below to connect them to its own state.
//
// Every host call is checked here first: a null pointer, an unknown identifier or index, a call
// before Initialize or after Uninitialize gets its error result, and no exception leaves a call.
// Parameters live until the object is deleted, so a late call never reaches freed memory.

#include "adapters/aax/support/AAX_CParameter.h"
#include "adapters/aax/support/AAX_VHostObjects.h"
#include "adapters/aax/support/AaxPluginInterfaces.h"
#include "adapters/aax/support/CACFUnknown.h"

#include <atomic>
#include <memory>
#include <vector>

namespace aax {

class AAX_CEffectParameters : public AAX_IACFEffectParameters_V4, public CACFUnknown {
public:
    AAX_CEffectParameters();
    ~AAX_CEffectParameters() override;

    // The data model behind an interface pointer the host handed out, when it is one of this
    // library's live objects; null otherwise.
    static AAX_CEffectParameters* FromInterface(void* effectParameters);

    // IACFUnknown: the effect-parameters interface in all its versions, and IACFUnknown.
    int32_t QueryInterface(const acfIID& iid, void** out) override;
    QUIL_AAX_REFCOUNT

    int32_t Initialize(IACFUnknown* controller) override;
    int32_t Uninitialize() override;
    int32_t NotificationReceived(uint32_t type, const void* data, uint32_t size) override;
    int32_t GetNumberOfParameters(int32_t* outCount) const override;
    int32_t GetMasterBypassParameter(AAX_IString* outId) const override;
    int32_t GetParameterIsAutomatable(const char* id, uint8_t* out) const override;
    int32_t GetParameterNumberOfSteps(const char* id, int32_t* out) const override;
    int32_t GetParameterName(const char* id, AAX_IString* out) const override;
    int32_t GetParameterNameOfLength(const char* id, AAX_IString* out, int32_t maxChars) const override;
    int32_t GetParameterDefaultNormalizedValue(const char* id, double* out) const override;
    int32_t SetParameterDefaultNormalizedValue(const char* id, double value) override;
    int32_t GetParameterType(const char* id, int32_t* out) const override;
    int32_t GetParameterOrientation(const char* id, int32_t* out) const override;
    int32_t GetParameter(const char* id, void** outParameter) override;
    int32_t GetParameterIndex(const char* id, int32_t* outIndex) const override;
    int32_t GetParameterIDFromIndex(int32_t index, AAX_IString* outId) const override;
    int32_t GetParameterValueInfo(const char* id, int32_t selector, int32_t* out) const override;
    int32_t GetParameterValueFromString(const char* id, double* outNormalized, const AAX_IString& text) const override;
    int32_t GetParameterStringFromValue(const char* id, double normalized, AAX_IString* out,
                                        int32_t maxChars) const override;
    int32_t GetParameterValueString(const char* id, AAX_IString* out, int32_t maxChars) const override;
    int32_t GetParameterNormalizedValue(const char* id, double* out) const override;
    // A request to the host: touch, set-value request, release. The value comes back through
    // UpdateParameterNormalizedValue.
    int32_t SetParameterNormalizedValue(const char* id, double value) override;
    int32_t SetParameterNormalizedRelative(const char* id, double delta) override;
    int32_t TouchParameter(const char* id) override;
    int32_t ReleaseParameter(const char* id) override;
    int32_t UpdateParameterTouch(const char* id, uint8_t touched) override;
    int32_t UpdateParameterNormalizedValue(const char* id, double value, int32_t source) override;
    int32_t UpdateParameterNormalizedRelative(const char* id, double delta) override;
    int32_t GenerateCoefficients() override;
    int32_t ResetFieldData(int32_t field, void* block, uint32_t size) const override;
    int32_t GetNumberOfChunks(int32_t* out) const override;
    int32_t GetChunkIDFromIndex(int32_t index, uint32_t* outChunkId) const override;
    int32_t GetChunkSize(uint32_t chunkId, uint32_t* outSize) const override;
    int32_t GetChunk(uint32_t chunkId, AAX_SPlugInChunk* chunk) const override;
    int32_t SetChunk(uint32_t chunkId, const AAX_SPlugInChunk* chunk) override;
    int32_t CompareActiveChunk(const AAX_SPlugInChunk* chunk, uint8_t* outEqual) const override;
    int32_t GetNumberOfChanges(int32_t* out) const override;
    int32_t TimerWakeup() override;
    int32_t GetCurveData(uint32_t curveType, const float* in, uint32_t count, float* out) const override;
    int32_t GetCustomData(uint32_t blockId, uint32_t size, void* out, uint32_t* outWritten) const override;
    int32_t SetCustomData(uint32_t blockId, uint32_t size, const void* in) override;
    int32_t DoMIDITransfers() override;
    int32_t RenderAudio_Hybrid(AAX_SHybridRenderInfo* info) override;
    int32_t UpdateMIDINodes(int32_t field, AAX_CMidiPacket& packet) override;
    int32_t UpdateControlMIDINodes(uint32_t nodeId, AAX_CMidiPacket& packet) override;
    int32_t GetCurveDataMeterIds(uint32_t curveType, uint32_t* xMeter, uint32_t* yMeter) const override;
    int32_t GetCurveDataDisplayRange(uint32_t curveType, float* xMin, float* xMax, float* yMin,
                                     float* yMax) const override;
    int32_t UpdatePageTable(uint32_t tableType, int32_t pageSize, IACFUnknown* hostUnknown,
                            IACFUnknown* pageTable) const override;

    // The identifier of the host's master-bypass control.
    static constexpr const char* kMasterBypassId = "MasterBypassID";

protected:
    // The operations a plug-in overrides (after the base's checks: id, record and out-pointers are
    // valid and the instance is initialised).
    // Fills the parameter list; called once from Initialize, before the parameters are registered.
    virtual int32_t CreateParameters() { return AAX_SUCCESS; }
    // The host's value for a parameter. Default: the internal update and one more change.
    virtual int32_t ApplyNormalizedValue(const char* id, double value);
    // Initialises a private-data block of the processing context. Default: zeroes it.
    virtual int32_t InitFieldData(int32_t field, void* data, uint32_t size) const;
    // The state chunks. Defaults: none. Producing or comparing a chunk may take the plug-in's
    // state lock, so these are not const although the host's calls are.
    virtual int32_t ChunkIdByIndex(int32_t index, uint32_t* id) const;
    virtual int32_t ChunkByteSize(uint32_t id, uint32_t* size);
    // `capacity` is the data size the host allocated: the last size ChunkByteSize reported.
    virtual int32_t FillChunk(uint32_t id, AAX_SPlugInChunk* chunk, int32_t capacity);
    virtual int32_t ApplyChunk(uint32_t id, const AAX_SPlugInChunk* chunk);
    virtual int32_t ChunkEqualsState(const AAX_SPlugInChunk* chunk, bool* equal);

    // The parameter list.
    AAX_IParameter* AddParameter(std::unique_ptr<AAX_IParameter> parameter);
    AAX_IParameter* FindParameter(const char* id) const;
    int32_t ParameterCount() const { return static_cast<int32_t>(mParameters.size()); }

    bool IsInitialized() const { return mInitialized.load(); }
    void CountChange() { mChanges.fetch_add(1); }
    AAX_VController& Controller() { return mController; }
    const AAX_VController& Controller() const { return mController; }
    AAX_VAutomationDelegate& Automation() { return mAutomation; }

private:
    AAX_CEffectParameters* Mutable() const { return const_cast<AAX_CEffectParameters*>(this); }
    // The parameter named by a host call, or null (then the call answers with the id error).
    AAX_IParameter* Checked(const char* id) const { return mInitialized.load() ? FindParameter(id) : nullptr; }

    std::vector<std::unique_ptr<AAX_IParameter>> mParameters;
    AAX_VController mController;
    AAX_VAutomationDelegate mAutomation;
    std::atomic<bool> mInitialized{false};
    std::atomic<int32_t> mChanges{0};
    // The last chunk size reported, which is what the host allocates for the following GetChunk.
    mutable std::atomic<int32_t> mLastChunkSize{-1};
};

} // namespace aax
