#include "adapters/aax/support/AAX_CEffectParameters.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>
#include <string>

namespace aax {
namespace {

// The data models alive in the process, so that a pointer coming back from the host can be
// recognised before it is used as one of ours.
std::mutex& registryLock() {
    static std::mutex lock;
    return lock;
}

std::vector<AAX_CEffectParameters*>& registry() {
    static std::vector<AAX_CEffectParameters*> live;
    return live;
}

// How many chunk indices are probed when the host asks how many chunks there are.
constexpr int32_t kMaxChunks = 64;

} // namespace

AAX_CEffectParameters::AAX_CEffectParameters() {
    std::lock_guard<std::mutex> hold(registryLock());
    registry().push_back(this);
}

AAX_CEffectParameters::~AAX_CEffectParameters() {
    std::lock_guard<std::mutex> hold(registryLock());
    auto& live = registry();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

AAX_CEffectParameters* AAX_CEffectParameters::FromInterface(void* effectParameters) {
    if (!effectParameters) return nullptr;
    std::lock_guard<std::mutex> hold(registryLock());
    for (AAX_CEffectParameters* model : registry()) {
        if (static_cast<AAX_IACFEffectParameters*>(model) == effectParameters) return model;
    }
    return nullptr;
}

int32_t AAX_CEffectParameters::QueryInterface(const acfIID& iid, void** out) {
    if (!out) return ACF_E_POINTER;
    *out = nullptr;
    if (iid == IID_IACFUnknown || iid == IID_IAAXEffectParametersV1 || iid == IID_IAAXEffectParametersV2 ||
        iid == IID_IAAXEffectParametersV3 || iid == IID_IAAXEffectParametersV4)
        return answerInterface<AAX_IACFEffectParameters_V4>(this, out);
    return ACF_E_NOINTERFACE;
}

int32_t AAX_CEffectParameters::Initialize(IACFUnknown* controller) {
    return guardedCall(AAX_ERROR_UNKNOWN_EXCEPTION, [&] {
        if (!controller) return AAX_ERROR_NOT_INITIALIZED;
        // One life per object: its parameters are made once.
        if (mInitialized.load() || !mParameters.empty()) return AAX_ERROR_INVALID_ARGUMENT;
        mController.Attach(controller);
        mAutomation.Attach(controller);
        const int32_t result = CreateParameters();
        for (const auto& parameter : mParameters) mAutomation.RegisterParameter(parameter->Identifier().c_str());
        mInitialized.store(result == AAX_SUCCESS);
        return result;
    });
}

int32_t AAX_CEffectParameters::Uninitialize() {
    return guardedCall(AAX_ERROR_UNKNOWN_EXCEPTION, [&] {
        if (!mInitialized.exchange(false)) return AAX_SUCCESS;
        for (const auto& parameter : mParameters) mAutomation.UnregisterParameter(parameter->Identifier().c_str());
        mAutomation.Detach();
        mController.Detach();
        return AAX_SUCCESS;
    });
}

int32_t AAX_CEffectParameters::NotificationReceived(uint32_t, const void*, uint32_t) { return AAX_SUCCESS; }

int32_t AAX_CEffectParameters::GetNumberOfParameters(int32_t* outCount) const {
    if (!outCount) return AAX_ERROR_NULL_ARGUMENT;
    *outCount = mInitialized.load() ? ParameterCount() : 0;
    return AAX_SUCCESS;
}

int32_t AAX_CEffectParameters::GetMasterBypassParameter(AAX_IString* outId) const {
    return guardedCall(AAX_ERROR_UNKNOWN_EXCEPTION, [&] {
        return setHostString(outId, Checked(kMasterBypassId) ? kMasterBypassId : "");
    });
}

int32_t AAX_CEffectParameters::GetParameterIsAutomatable(const char* id, uint8_t* out) const {
    if (!out) return AAX_ERROR_NULL_ARGUMENT;
    *out = 0;
    const AAX_IParameter* parameter = Checked(id);
    if (!parameter) return AAX_ERROR_INVALID_PARAMETER_ID;
    *out = parameter->Automatable() ? 1 : 0;
    return AAX_SUCCESS;
}

int32_t AAX_CEffectParameters::GetParameterNumberOfSteps(const char* id, int32_t* out) const {
    if (!out) return AAX_ERROR_NULL_ARGUMENT;
    const AAX_IParameter* parameter = Checked(id);
    if (!parameter) return AAX_ERROR_INVALID_PARAMETER_ID;
    *out = parameter->NumberOfSteps();
    return AAX_SUCCESS;
}

int32_t AAX_CEffectParameters::GetParameterName(const char* id, AAX_IString* out) const {
    return GetParameterNameOfLength(id, out, 0);
}

int32_t AAX_CEffectParameters::GetParameterNameOfLength(const char* id, AAX_IString* out, int32_t maxChars) const {
    return guardedCall(AAX_ERROR_UNKNOWN_EXCEPTION, [&] {
        if (!out) return AAX_ERROR_INVALID_STRING_CONVERSION;
        const AAX_IParameter* parameter = Checked(id);
        if (!parameter) return setHostString(out, "");
        // Names may carry shorter variants after newlines: the longest that fits, else a cut first one.
        const std::string& name = parameter->Name();
        std::string best;
        bool found = false;
        std::size_t start = 0;
        while (start <= name.size()) {
            std::size_t end = name.find('\n', start);
            if (end == std::string::npos) end = name.size();
            const std::string variant = name.substr(start, end - start);
            const bool fits = maxChars <= 0 || static_cast<int32_t>(variant.size()) <= maxChars;
            if (!variant.empty() && fits && (!found || variant.size() > best.size())) {
                best = variant;
                found = true;
            }
            start = end + 1;
        }
        if (!found) best = name.substr(0, std::min(name.find('\n'), static_cast<std::size_t>(std::max(maxChars, 0))));
        return setHostString(out, best.c_str());
    });
}

int32_t AAX_CEffectParameters::GetParameterDefaultNormalizedValue(const char* id, double* out) const {
    if (!out) return AAX_ERROR_NULL_ARGUMENT;
    const AAX_IParameter* parameter = Checked(id);
    if (!parameter) return AAX_ERROR_INVALID_PARAMETER_ID;
    *out = parameter->NormalizedDefaultValue();
    return AAX_SUCCESS;
}

int32_t AAX_CEffectParameters::SetParameterDefaultNormalizedValue(const char* id, double value) {
    AAX_IParameter* parameter = Checked(id);
    if (!parameter) return AAX_ERROR_INVALID_PARAMETER_ID;
    parameter->SetNormalizedDefaultValue(value);
    return AAX_SUCCESS;
}

int32_t AAX_CEffectParameters::GetParameterType(const char* id, int32_t* out) const {
    if (!out) return AAX_ERROR_NULL_ARGUMENT;
    const AAX_IParameter* parameter = Checked(id);
    if (!parameter) return AAX_ERROR_INVALID_PARAMETER_ID;
    *out = parameter->Type();
    return AAX_SUCCESS;
}

int32_t AAX_CEffectParameters::GetParameterOrientation(const char* id, int32_t* out) const {
    if (!out) return AAX_ERROR_NULL_ARGUMENT;
    if (!Checked(id)) return AAX_ERROR_INVALID_PARAMETER_ID;
    *out = 0;
    return AAX_SUCCESS;
}

int32_t AAX_CEffectParameters::GetParameter(const char* id, void** outParameter) {
    if (!outParameter) return AAX_ERROR_NULL_ARGUMENT;
    *outParameter = Checked(id);
    return *outParameter ? AAX_SUCCESS : AAX_ERROR_INVALID_PARAMETER_ID;
}

int32_t AAX_CEffectParameters::GetParameterIndex(const char* id, int32_t* outIndex) const {
    if (!outIndex) return AAX_ERROR_NULL_ARGUMENT;
    *outIndex = -1;
    const AAX_IParameter* parameter = Checked(id);
    if (!parameter) return AAX_ERROR_INVALID_PARAMETER_ID;
    for (int32_t i = 0; i < ParameterCount(); ++i) {
        if (mParameters[static_cast<std::size_t>(i)].get() == parameter) *outIndex = i;
    }
    return AAX_SUCCESS;
}

int32_t AAX_CEffectParameters::GetParameterIDFromIndex(int32_t index, AAX_IString* outId) const {
    return guardedCall(AAX_ERROR_UNKNOWN_EXCEPTION, [&] {
        if (!outId) return AAX_ERROR_NULL_ARGUMENT;
        if (!mInitialized.load() || index < 0 || index >= ParameterCount()) {
            setHostString(outId, "");
            return AAX_ERROR_INVALID_PARAMETER_ID;
        }
        return setHostString(outId, mParameters[static_cast<std::size_t>(index)]->Identifier().c_str());
    });
}

int32_t AAX_CEffectParameters::GetParameterValueInfo(const char*, int32_t, int32_t* out) const {
    if (out) *out = 0;
    return AAX_ERROR_UNIMPLEMENTED;
}

int32_t AAX_CEffectParameters::GetParameterValueFromString(const char* id, double* outNormalized,
                                                           const AAX_IString& text) const {
    return guardedCall(AAX_ERROR_UNKNOWN_EXCEPTION, [&] {
        if (!outNormalized) return AAX_ERROR_NULL_ARGUMENT;
        const AAX_IParameter* parameter = Checked(id);
        if (!parameter) return AAX_ERROR_INVALID_PARAMETER_ID;
        const char* chars = text.Get();
        if (!chars || !parameter->StringToNormalized(chars, outNormalized)) return AAX_ERROR_INVALID_STRING_CONVERSION;
        return AAX_SUCCESS;
    });
}

int32_t AAX_CEffectParameters::GetParameterStringFromValue(const char* id, double normalized, AAX_IString* out,
                                                           int32_t maxChars) const {
    return guardedCall(AAX_ERROR_UNKNOWN_EXCEPTION, [&] {
        if (!out) return AAX_ERROR_NULL_ARGUMENT;
        const AAX_IParameter* parameter = Checked(id);
        if (!parameter) return AAX_ERROR_INVALID_PARAMETER_ID;
        std::string text;
        const bool converted = parameter->ValueToString(normalized, maxChars, text);
        setHostString(out, text.c_str());
        return converted ? AAX_SUCCESS : AAX_ERROR_INVALID_STRING_CONVERSION;
    });
}

int32_t AAX_CEffectParameters::GetParameterValueString(const char* id, AAX_IString* out, int32_t maxChars) const {
    const AAX_IParameter* parameter = Checked(id);
    if (!parameter) return AAX_ERROR_INVALID_PARAMETER_ID;
    return GetParameterStringFromValue(id, parameter->NormalizedValue(), out, maxChars);
}

int32_t AAX_CEffectParameters::GetParameterNormalizedValue(const char* id, double* out) const {
    if (!out) return AAX_ERROR_NULL_ARGUMENT;
    const AAX_IParameter* parameter = Checked(id);
    if (!parameter) return AAX_ERROR_INVALID_PARAMETER_ID;
    *out = parameter->NormalizedValue();
    return AAX_SUCCESS;
}

int32_t AAX_CEffectParameters::SetParameterNormalizedValue(const char* id, double value) {
    return guardedCall(AAX_ERROR_UNKNOWN_EXCEPTION, [&] {
        if (!Checked(id)) return AAX_ERROR_INVALID_PARAMETER_ID;
        if (std::isnan(value)) return AAX_ERROR_INVALID_ARGUMENT;
        const double clamped = std::clamp(value, 0.0, 1.0);
        mAutomation.PostTouchRequest(id);
        const int32_t result = mAutomation.PostSetValueRequest(id, clamped);
        mAutomation.PostReleaseRequest(id);
        return result;
    });
}

int32_t AAX_CEffectParameters::SetParameterNormalizedRelative(const char* id, double delta) {
    const AAX_IParameter* parameter = Checked(id);
    if (!parameter) return AAX_ERROR_INVALID_PARAMETER_ID;
    return SetParameterNormalizedValue(id, parameter->NormalizedValue() + delta);
}

int32_t AAX_CEffectParameters::TouchParameter(const char* id) {
    return guardedCall(AAX_ERROR_UNKNOWN_EXCEPTION, [&] {
        return Checked(id) ? mAutomation.PostTouchRequest(id) : AAX_ERROR_INVALID_PARAMETER_ID;
    });
}

int32_t AAX_CEffectParameters::ReleaseParameter(const char* id) {
    return guardedCall(AAX_ERROR_UNKNOWN_EXCEPTION, [&] {
        return Checked(id) ? mAutomation.PostReleaseRequest(id) : AAX_ERROR_INVALID_PARAMETER_ID;
    });
}

int32_t AAX_CEffectParameters::UpdateParameterTouch(const char*, uint8_t) { return AAX_SUCCESS; }

int32_t AAX_CEffectParameters::UpdateParameterNormalizedValue(const char* id, double value, int32_t) {
    return guardedCall(AAX_ERROR_UNKNOWN_EXCEPTION, [&] {
        if (!Checked(id)) return AAX_ERROR_INVALID_PARAMETER_ID;
        if (std::isnan(value)) return AAX_ERROR_INVALID_ARGUMENT;
        return ApplyNormalizedValue(id, std::clamp(value, 0.0, 1.0));
    });
}

int32_t AAX_CEffectParameters::UpdateParameterNormalizedRelative(const char* id, double delta) {
    const AAX_IParameter* parameter = Checked(id);
    if (!parameter) return AAX_ERROR_INVALID_PARAMETER_ID;
    return UpdateParameterNormalizedValue(id, parameter->NormalizedValue() + delta, 0);
}

int32_t AAX_CEffectParameters::ApplyNormalizedValue(const char* id, double value) {
    AAX_IParameter* parameter = FindParameter(id);
    if (!parameter) return AAX_ERROR_INVALID_PARAMETER_ID;
    parameter->SetNormalizedValue(value);
    CountChange();
    return AAX_SUCCESS;
}

int32_t AAX_CEffectParameters::GenerateCoefficients() { return AAX_SUCCESS; }

int32_t AAX_CEffectParameters::ResetFieldData(int32_t field, void* block, uint32_t size) const {
    return guardedCall(AAX_ERROR_UNKNOWN_EXCEPTION, [&] {
        if (!block) return AAX_ERROR_NULL_ARGUMENT;
        return InitFieldData(field, block, size);
    });
}

int32_t AAX_CEffectParameters::InitFieldData(int32_t, void* data, uint32_t size) const {
    std::memset(data, 0, size);
    return AAX_SUCCESS;
}

int32_t AAX_CEffectParameters::GetNumberOfChunks(int32_t* out) const {
    return guardedCall(AAX_ERROR_UNKNOWN_EXCEPTION, [&] {
        if (!out) return AAX_ERROR_NULL_ARGUMENT;
        uint32_t id = 0;
        int32_t count = 0;
        while (count < kMaxChunks && ChunkIdByIndex(count, &id) == AAX_SUCCESS) ++count;
        *out = count;
        return AAX_SUCCESS;
    });
}

int32_t AAX_CEffectParameters::GetChunkIDFromIndex(int32_t index, uint32_t* outChunkId) const {
    return guardedCall(AAX_ERROR_UNKNOWN_EXCEPTION, [&] {
        if (!outChunkId) return AAX_ERROR_NULL_ARGUMENT;
        return ChunkIdByIndex(index, outChunkId);
    });
}

int32_t AAX_CEffectParameters::GetChunkSize(uint32_t chunkId, uint32_t* outSize) const {
    return guardedCall(AAX_ERROR_UNKNOWN_EXCEPTION, [&] {
        if (!outSize) return AAX_ERROR_NULL_ARGUMENT;
        *outSize = 0;
        if (!mInitialized.load()) return AAX_ERROR_NOT_INITIALIZED;
        const int32_t result = Mutable()->ChunkByteSize(chunkId, outSize);
        mLastChunkSize.store(result == AAX_SUCCESS ? static_cast<int32_t>(*outSize) : -1);
        return result;
    });
}

int32_t AAX_CEffectParameters::GetChunk(uint32_t chunkId, AAX_SPlugInChunk* chunk) const {
    return guardedCall(AAX_ERROR_UNKNOWN_EXCEPTION, [&] {
        if (!chunk) return AAX_ERROR_NULL_ARGUMENT;
        if (!mInitialized.load()) return AAX_ERROR_NOT_INITIALIZED;
        // Without a size reported first, the host's allocation is not known: nothing is written.
        const int32_t capacity = mLastChunkSize.exchange(-1);
        if (capacity < 0) return AAX_ERROR_INCORRECT_CHUNK_SIZE;
        return Mutable()->FillChunk(chunkId, chunk, capacity);
    });
}

int32_t AAX_CEffectParameters::SetChunk(uint32_t chunkId, const AAX_SPlugInChunk* chunk) {
    return guardedCall(AAX_ERROR_UNKNOWN_EXCEPTION, [&] {
        if (!chunk) return AAX_ERROR_NULL_ARGUMENT;
        if (!mInitialized.load()) return AAX_ERROR_NOT_INITIALIZED;
        if (chunk->fSize < 0) return AAX_ERROR_INVALID_ARGUMENT;
        return ApplyChunk(chunkId, chunk);
    });
}

int32_t AAX_CEffectParameters::CompareActiveChunk(const AAX_SPlugInChunk* chunk, uint8_t* outEqual) const {
    return guardedCall(AAX_ERROR_UNKNOWN_EXCEPTION, [&] {
        if (!chunk || !outEqual) return AAX_ERROR_NULL_ARGUMENT;
        if (!mInitialized.load()) return AAX_ERROR_NOT_INITIALIZED;
        bool equal = false;
        const int32_t result = chunk->fSize < 0 ? AAX_ERROR_INVALID_ARGUMENT : Mutable()->ChunkEqualsState(chunk, &equal);
        *outEqual = equal ? 1 : 0;
        return result;
    });
}

int32_t AAX_CEffectParameters::ChunkIdByIndex(int32_t, uint32_t* id) const {
    *id = 0;
    return AAX_ERROR_INVALID_CHUNK_INDEX;
}

int32_t AAX_CEffectParameters::ChunkByteSize(uint32_t, uint32_t* size) {
    *size = 0;
    return AAX_ERROR_INVALID_CHUNK_ID;
}

int32_t AAX_CEffectParameters::FillChunk(uint32_t, AAX_SPlugInChunk*, int32_t) {
    return AAX_ERROR_INVALID_CHUNK_ID;
}

int32_t AAX_CEffectParameters::ApplyChunk(uint32_t, const AAX_SPlugInChunk*) { return AAX_ERROR_INVALID_CHUNK_ID; }

int32_t AAX_CEffectParameters::ChunkEqualsState(const AAX_SPlugInChunk*, bool* equal) {
    *equal = true;
    return AAX_SUCCESS;
}

int32_t AAX_CEffectParameters::GetNumberOfChanges(int32_t* out) const {
    if (!out) return AAX_ERROR_NULL_ARGUMENT;
    *out = mChanges.load();
    return AAX_SUCCESS;
}

int32_t AAX_CEffectParameters::TimerWakeup() { return AAX_SUCCESS; }

int32_t AAX_CEffectParameters::GetCurveData(uint32_t, const float*, uint32_t, float*) const {
    return AAX_ERROR_UNIMPLEMENTED;
}

int32_t AAX_CEffectParameters::GetCustomData(uint32_t, uint32_t, void*, uint32_t* outWritten) const {
    if (outWritten) *outWritten = 0;
    return AAX_SUCCESS;
}

int32_t AAX_CEffectParameters::SetCustomData(uint32_t, uint32_t, const void*) { return AAX_SUCCESS; }

int32_t AAX_CEffectParameters::DoMIDITransfers() { return AAX_SUCCESS; }

int32_t AAX_CEffectParameters::RenderAudio_Hybrid(AAX_SHybridRenderInfo*) { return AAX_ERROR_UNIMPLEMENTED; }

int32_t AAX_CEffectParameters::UpdateMIDINodes(int32_t, AAX_CMidiPacket&) { return AAX_SUCCESS; }

int32_t AAX_CEffectParameters::UpdateControlMIDINodes(uint32_t, AAX_CMidiPacket&) { return AAX_SUCCESS; }

int32_t AAX_CEffectParameters::GetCurveDataMeterIds(uint32_t, uint32_t*, uint32_t*) const {
    return AAX_ERROR_UNIMPLEMENTED;
}

int32_t AAX_CEffectParameters::GetCurveDataDisplayRange(uint32_t, float*, float*, float*, float*) const {
    return AAX_ERROR_UNIMPLEMENTED;
}

int32_t AAX_CEffectParameters::UpdatePageTable(uint32_t, int32_t, IACFUnknown*, IACFUnknown*) const {
    return AAX_ERROR_UNIMPLEMENTED;
}

AAX_IParameter* AAX_CEffectParameters::AddParameter(std::unique_ptr<AAX_IParameter> parameter) {
    mParameters.push_back(std::move(parameter));
    return mParameters.back().get();
}

AAX_IParameter* AAX_CEffectParameters::FindParameter(const char* id) const {
    if (!id) return nullptr;
    for (const auto& parameter : mParameters) {
        if (std::strncmp(parameter->Identifier().c_str(), id, kParameterIdentifierMaxSize) == 0) return parameter.get();
    }
    return nullptr;
}

} // namespace aax
