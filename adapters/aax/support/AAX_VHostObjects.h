#pragma once
// Wrappers of the host objects an instance works with at run time. Each answers
// AAX_ERROR_NULL_OBJECT (and leaves out-values alone) when the host object is missing, so callers
// need no null checks. The controller, automation delegate and view container wrappers hold one
// reference each; the transport is a host-owned object without reference counting.

#include "adapters/aax/support/AAX_VDescription.h"

namespace aax {

class AAX_VController {
public:
    // Takes the controller interface of `controller` (+1), when it has one.
    void Attach(IACFUnknown* controller) {
        mController.reset(queryHostInterface<AAX_IACFController>(controller, IID_IAAXControllerV1));
    }
    void Detach() { mController.reset(); }
    bool IsValid() const { return static_cast<bool>(mController); }
    AAX_IACFController* Interface() const { return mController.get(); }

    int32_t GetSampleRate(float* rate) const {
        return mController ? mController->GetSampleRate(rate) : AAX_ERROR_NULL_OBJECT;
    }
    int32_t GetInputStemFormat(uint32_t* format) const {
        return mController ? mController->GetInputStemFormat(format) : AAX_ERROR_NULL_OBJECT;
    }
    int32_t GetOutputStemFormat(uint32_t* format) const {
        return mController ? mController->GetOutputStemFormat(format) : AAX_ERROR_NULL_OBJECT;
    }
    int32_t SetSignalLatency(int32_t samples) {
        return mController ? mController->SetSignalLatency(samples) : AAX_ERROR_NULL_OBJECT;
    }

private:
    HostRef<AAX_IACFController> mController;
};

class AAX_VAutomationDelegate {
public:
    void Attach(IACFUnknown* controller) {
        mDelegate.reset(queryHostInterface<AAX_IACFAutomationDelegate>(controller, IID_IAAXAutomationDelegateV1));
    }
    void Detach() { mDelegate.reset(); }

    int32_t RegisterParameter(const char* id) { return mDelegate ? mDelegate->RegisterParameter(id) : AAX_ERROR_NULL_OBJECT; }
    int32_t UnregisterParameter(const char* id) {
        return mDelegate ? mDelegate->UnregisterParameter(id) : AAX_ERROR_NULL_OBJECT;
    }
    int32_t PostSetValueRequest(const char* id, double value) const {
        return mDelegate ? mDelegate->PostSetValueRequest(id, value) : AAX_ERROR_NULL_OBJECT;
    }
    int32_t PostCurrentValue(const char* id, double value) const {
        return mDelegate ? mDelegate->PostCurrentValue(id, value) : AAX_ERROR_NULL_OBJECT;
    }
    int32_t PostTouchRequest(const char* id) { return mDelegate ? mDelegate->PostTouchRequest(id) : AAX_ERROR_NULL_OBJECT; }
    int32_t PostReleaseRequest(const char* id) {
        return mDelegate ? mDelegate->PostReleaseRequest(id) : AAX_ERROR_NULL_OBJECT;
    }

private:
    HostRef<AAX_IACFAutomationDelegate> mDelegate;
};

class AAX_VViewContainer {
public:
    void Attach(IACFUnknown* container) {
        mContainer.reset(queryHostInterface<AAX_IACFViewContainer>(container, IID_IAAXViewContainerV1));
    }
    void Detach() { mContainer.reset(); }
    bool IsValid() const { return static_cast<bool>(mContainer); }

    int32_t GetType() const { return mContainer ? mContainer->GetType() : AAX_eViewContainer_Type_NULL; }
    void* GetPtr() const { return mContainer ? mContainer->GetPtr() : nullptr; }
    int32_t SetViewSize(AAX_Point size) { return mContainer ? mContainer->SetViewSize(size) : AAX_ERROR_NULL_OBJECT; }

private:
    HostRef<AAX_IACFViewContainer> mContainer;
};

// The transport a transport MIDI node hands out. Only the first set of methods, which every host
// fills, is reached through it.
class AAX_VTransport {
public:
    explicit AAX_VTransport(AAX_ITransport* transport = nullptr) : mTransport(transport) {}
    bool IsValid() const { return mTransport != nullptr; }

    int32_t GetCurrentTempo(double* bpm) const {
        return mTransport ? mTransport->GetCurrentTempo(bpm) : AAX_ERROR_NULL_OBJECT;
    }
    int32_t GetCurrentMeter(int32_t* numerator, int32_t* denominator) const {
        return mTransport ? mTransport->GetCurrentMeter(numerator, denominator) : AAX_ERROR_NULL_OBJECT;
    }
    int32_t IsTransportPlaying(bool* playing) const {
        return mTransport ? mTransport->IsTransportPlaying(playing) : AAX_ERROR_NULL_OBJECT;
    }
    int32_t GetCurrentTickPosition(int64_t* ticks) const {
        return mTransport ? mTransport->GetCurrentTickPosition(ticks) : AAX_ERROR_NULL_OBJECT;
    }
    int32_t GetCurrentLoopPosition(bool* looping, int64_t* start, int64_t* end) const {
        return mTransport ? mTransport->GetCurrentLoopPosition(looping, start, end) : AAX_ERROR_NULL_OBJECT;
    }
    int32_t GetCurrentNativeSampleLocation(int64_t* location) const {
        return mTransport ? mTransport->GetCurrentNativeSampleLocation(location) : AAX_ERROR_NULL_OBJECT;
    }

private:
    AAX_ITransport* mTransport;
};

} // namespace aax
