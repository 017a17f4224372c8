#include "tools/aaxhost/HostRuntime.h"

using namespace aax;

namespace aaxhost {

int32_t HostAutomation::QueryInterface(const acfIID& iid, void** out) {
    return answer(iid, out, {IID_IACFUnknown, IID_IAAXAutomationDelegateV1});
}

void HostAutomation::record(AutomationCall call) const {
    std::lock_guard<std::mutex> hold(mLock);
    mCalls.push_back(std::move(call));
}

int32_t HostAutomation::RegisterParameter(const char* paramId) {
    if (!paramId) return AAX_ERROR_NULL_ARGUMENT;
    record(AutomationCall(AutomationCall::Register, paramId));
    return AAX_SUCCESS;
}

int32_t HostAutomation::UnregisterParameter(const char* paramId) {
    if (!paramId) return AAX_ERROR_NULL_ARGUMENT;
    record(AutomationCall(AutomationCall::Unregister, paramId));
    return AAX_SUCCESS;
}

int32_t HostAutomation::PostSetValueRequest(const char* paramId, double normalizedValue) const {
    if (!paramId) return AAX_ERROR_NULL_ARGUMENT;
    record(AutomationCall(AutomationCall::SetValue, paramId, normalizedValue));
    std::lock_guard<std::mutex> hold(mLock);
    mPending.emplace_back(paramId, normalizedValue);
    return AAX_SUCCESS;
}

int32_t HostAutomation::PostCurrentValue(const char* paramId, double normalizedValue) const {
    if (!paramId) return AAX_ERROR_NULL_ARGUMENT;
    record(AutomationCall(AutomationCall::CurrentValue, paramId, normalizedValue));
    return AAX_SUCCESS;
}

int32_t HostAutomation::PostTouchRequest(const char* paramId) {
    if (!paramId) return AAX_ERROR_NULL_ARGUMENT;
    record(AutomationCall(AutomationCall::Touch, paramId));
    return AAX_SUCCESS;
}

int32_t HostAutomation::PostReleaseRequest(const char* paramId) {
    if (!paramId) return AAX_ERROR_NULL_ARGUMENT;
    record(AutomationCall(AutomationCall::Release, paramId));
    return AAX_SUCCESS;
}

int32_t HostAutomation::GetTouchState(const char*, uint8_t* outTouched) {
    if (outTouched) *outTouched = 0;
    return AAX_SUCCESS;
}

std::vector<AutomationCall> HostAutomation::takeCalls() {
    std::lock_guard<std::mutex> hold(mLock);
    return std::move(mCalls);
}

std::vector<std::pair<std::string, double>> HostAutomation::takePendingValues() {
    std::lock_guard<std::mutex> hold(mLock);
    return std::move(mPending);
}

int32_t HostController::QueryInterface(const acfIID& iid, void** out) {
    if (iid == IID_IAAXAutomationDelegateV1) return mAutomation.QueryInterface(iid, out);
    if (iid == IID_IAAXEffectParametersV1 && mDataModel) return mDataModel->QueryInterface(iid, out);
    return answer(iid, out, {IID_IACFUnknown, IID_IAAXControllerV1});
}

int32_t HostController::GetEffectID(AAX_IString* outEffectId) const {
    if (!outEffectId) return AAX_ERROR_NULL_ARGUMENT;
    outEffectId->Set("com.fenwox.aax.FenwoxQuil");
    return AAX_SUCCESS;
}

int32_t HostController::GetSampleRate(float* outRate) const {
    if (!outRate) return AAX_ERROR_NULL_ARGUMENT;
    *outRate = mSampleRate;
    return AAX_SUCCESS;
}

int32_t HostController::GetInputStemFormat(uint32_t* outStemFormat) const {
    if (!outStemFormat) return AAX_ERROR_NULL_ARGUMENT;
    *outStemFormat = mInputStem;
    return AAX_SUCCESS;
}

int32_t HostController::GetOutputStemFormat(uint32_t* outStemFormat) const {
    if (!outStemFormat) return AAX_ERROR_NULL_ARGUMENT;
    *outStemFormat = mOutputStem;
    return AAX_SUCCESS;
}

int32_t HostController::GetSignalLatency(int32_t* outSamples) const {
    if (!outSamples) return AAX_ERROR_NULL_ARGUMENT;
    *outSamples = mLatency;
    return AAX_SUCCESS;
}

int32_t HostController::GetCycleCount(int32_t, int32_t*) const { return AAX_ERROR_UNIMPLEMENTED; }

int32_t HostController::GetTODLocation(int64_t* outTod) const {
    if (outTod) *outTod = 0;
    return AAX_SUCCESS;
}

int32_t HostController::SetSignalLatency(int32_t samples) {
    mLatency = samples;
    return AAX_SUCCESS;
}

int32_t HostController::SetCycleCount(int32_t*, int32_t*, int32_t) { return AAX_ERROR_UNIMPLEMENTED; }

int32_t HostController::PostPacket(int32_t, const void*, uint32_t) { return AAX_ERROR_UNIMPLEMENTED; }

int32_t HostController::GetCurrentMeterValue(uint32_t, float*) const { return AAX_ERROR_UNIMPLEMENTED; }

int32_t HostController::GetMeterPeakValue(uint32_t, float*) const { return AAX_ERROR_UNIMPLEMENTED; }

int32_t HostController::ClearMeterPeakValue(uint32_t) const { return AAX_ERROR_UNIMPLEMENTED; }

int32_t HostController::GetMeterClipped(uint32_t, uint8_t*) const { return AAX_ERROR_UNIMPLEMENTED; }

int32_t HostController::ClearMeterClipped(uint32_t) const { return AAX_ERROR_UNIMPLEMENTED; }

int32_t HostController::GetMeterCount(uint32_t* outCount) const {
    if (outCount) *outCount = 0;
    return AAX_SUCCESS;
}

int32_t HostController::GetNextMIDIPacket(int32_t*, AAX_CMidiPacket*) { return AAX_ERROR_UNIMPLEMENTED; }

int32_t HostTransport::GetCurrentTempo(double* bpm) const {
    if (!bpm) return AAX_ERROR_NULL_ARGUMENT;
    *bpm = tempo;
    return AAX_SUCCESS;
}

int32_t HostTransport::GetCurrentMeter(int32_t* num, int32_t* den) const {
    if (!num || !den) return AAX_ERROR_NULL_ARGUMENT;
    *num = numerator;
    *den = denominator;
    return AAX_SUCCESS;
}

int32_t HostTransport::IsTransportPlaying(bool* isPlaying) const {
    if (!isPlaying) return AAX_ERROR_NULL_ARGUMENT;
    *isPlaying = playing;
    return AAX_SUCCESS;
}

int32_t HostTransport::GetCurrentTickPosition(int64_t* outTicks) const {
    if (!outTicks) return AAX_ERROR_NULL_ARGUMENT;
    *outTicks = ticks;
    return AAX_SUCCESS;
}

int32_t HostTransport::GetCurrentLoopPosition(bool* isLooping, int64_t* start, int64_t* end) const {
    if (!isLooping || !start || !end) return AAX_ERROR_NULL_ARGUMENT;
    *isLooping = looping;
    *start = loopStart;
    *end = loopEnd;
    return AAX_SUCCESS;
}

int32_t HostTransport::GetCurrentNativeSampleLocation(int64_t* location) const {
    if (!location) return AAX_ERROR_NULL_ARGUMENT;
    *location = sampleLocation;
    return AAX_SUCCESS;
}

int32_t HostTransport::GetCustomTickPosition(int64_t*, int64_t) const { return AAX_ERROR_UNIMPLEMENTED; }

int32_t HostTransport::GetBarBeatPosition(int32_t*, int32_t*, int64_t*, int64_t) const {
    return AAX_ERROR_UNIMPLEMENTED;
}

int32_t HostTransport::GetTicksPerQuarter(uint32_t* outTicks) const {
    if (!outTicks) return AAX_ERROR_NULL_ARGUMENT;
    *outTicks = 960000;
    return AAX_SUCCESS;
}

int32_t HostTransport::GetCurrentTicksPerBeat(uint32_t* outTicks) const { return GetTicksPerQuarter(outTicks); }

int32_t HostViewContainer::QueryInterface(const acfIID& iid, void** out) {
    return answer(iid, out, {IID_IACFUnknown, IID_IAAXViewContainerV1});
}

int32_t HostViewContainer::GetModifiers(uint32_t* outModifiers) {
    if (outModifiers) *outModifiers = 0;
    return AAX_SUCCESS;
}

int32_t HostViewContainer::SetViewSize(AAX_Point& size) {
    sizeRequests.push_back(size);
    return AAX_SUCCESS;
}

} // namespace aaxhost
