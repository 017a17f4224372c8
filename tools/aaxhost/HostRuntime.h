#pragma once
// The host objects an instance works with: controller (sample rate, stem formats, latency), the
// automation delegate that turns the plug-in's touch / set / release requests into value updates,
// the transport reached through the context's transport node, the input MIDI node and the view
// container the editor opens in.

#include "adapters/aax/support/AaxPluginInterfaces.h"
#include "tools/aaxhost/HostObject.h"

#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace aaxhost {

// A request the plug-in made through the automation delegate.
struct AutomationCall {
    enum Kind { Register, Unregister, Touch, SetValue, CurrentValue, Release };
    AutomationCall(Kind callKind, const char* paramId, double callValue = 0.0)
        : kind(callKind), id(paramId), value(callValue) {}
    Kind kind;
    std::string id;
    double value = 0.0;
};

class HostAutomation final : public HostObject<aax::AAX_IACFAutomationDelegate> {
public:
    int32_t QueryInterface(const aax::acfIID& iid, void** out) override;
    int32_t RegisterParameter(const char* paramId) override;
    int32_t UnregisterParameter(const char* paramId) override;
    int32_t PostSetValueRequest(const char* paramId, double normalizedValue) const override;
    int32_t PostCurrentValue(const char* paramId, double normalizedValue) const override;
    int32_t PostTouchRequest(const char* paramId) override;
    int32_t PostReleaseRequest(const char* paramId) override;
    int32_t GetTouchState(const char* paramId, uint8_t* outTouched) override;

    // Calls in order of arrival; taking them empties the list.
    std::vector<AutomationCall> takeCalls();
    // Set-value requests not yet answered with a value update, oldest first.
    std::vector<std::pair<std::string, double>> takePendingValues();

private:
    void record(AutomationCall call) const;

    mutable std::mutex mLock;
    mutable std::vector<AutomationCall> mCalls;
    mutable std::vector<std::pair<std::string, double>> mPending;
};

class HostController final : public HostObject<aax::AAX_IACFController> {
public:
    HostController(HostAutomation& automation, float sampleRate, uint32_t inputStem, uint32_t outputStem)
        : mAutomation(automation), mSampleRate(sampleRate), mInputStem(inputStem), mOutputStem(outputStem) {}

    // The GUI's controller also leads to the instance's data model.
    void setDataModel(aax::IACFUnknown* dataModel) { mDataModel = dataModel; }

    int32_t QueryInterface(const aax::acfIID& iid, void** out) override;
    int32_t GetEffectID(aax::AAX_IString* outEffectId) const override;
    int32_t GetSampleRate(float* outRate) const override;
    int32_t GetInputStemFormat(uint32_t* outStemFormat) const override;
    int32_t GetOutputStemFormat(uint32_t* outStemFormat) const override;
    int32_t GetSignalLatency(int32_t* outSamples) const override;
    int32_t GetCycleCount(int32_t, int32_t*) const override;
    int32_t GetTODLocation(int64_t* outTod) const override;
    int32_t SetSignalLatency(int32_t samples) override;
    int32_t SetCycleCount(int32_t*, int32_t*, int32_t) override;
    int32_t PostPacket(int32_t, const void*, uint32_t) override;
    int32_t GetCurrentMeterValue(uint32_t, float*) const override;
    int32_t GetMeterPeakValue(uint32_t, float*) const override;
    int32_t ClearMeterPeakValue(uint32_t) const override;
    int32_t GetMeterClipped(uint32_t, uint8_t*) const override;
    int32_t ClearMeterClipped(uint32_t) const override;
    int32_t GetMeterCount(uint32_t* outCount) const override;
    int32_t GetNextMIDIPacket(int32_t*, aax::AAX_CMidiPacket*) override;

private:
    HostAutomation& mAutomation;
    aax::IACFUnknown* mDataModel = nullptr;
    float mSampleRate;
    uint32_t mInputStem;
    uint32_t mOutputStem;
    int32_t mLatency = 0;
};

// The transport as a transport node hands it out (the unversioned object of an MSVC-built host).
class HostTransport final : public aax::AAX_ITransport {
public:
    void* msvcDeletingDestructor(uint32_t) override { return this; }
    int32_t GetCurrentTempo(double* bpm) const override;
    int32_t GetCurrentMeter(int32_t* numerator, int32_t* denominator) const override;
    int32_t IsTransportPlaying(bool* playing) const override;
    int32_t GetCurrentTickPosition(int64_t* ticks) const override;
    int32_t GetCurrentLoopPosition(bool* looping, int64_t* loopStartTick, int64_t* loopEndTick) const override;
    int32_t GetCurrentNativeSampleLocation(int64_t* sampleLocation) const override;
    int32_t GetCustomTickPosition(int64_t* outTicks, int64_t sampleLocation) const override;
    int32_t GetBarBeatPosition(int32_t* bars, int32_t* beats, int64_t* displayTicks,
                               int64_t sampleLocation) const override;
    int32_t GetTicksPerQuarter(uint32_t* ticks) const override;
    int32_t GetCurrentTicksPerBeat(uint32_t* ticks) const override;

    double tempo = 120.0;
    int32_t numerator = 4;
    int32_t denominator = 4;
    bool playing = true;
    int64_t ticks = 0;
    bool looping = false;
    int64_t loopStart = 0;
    int64_t loopEnd = 0;
    int64_t sampleLocation = 0;
};

class HostMidiNode final : public aax::AAX_IMIDINode {
public:
    explicit HostMidiNode(HostTransport* transport = nullptr) : mTransport(transport) {}
    void* msvcDeletingDestructor(uint32_t) override { return this; }
    aax::AAX_CMidiStream* GetNodeBuffer() override { return &stream; }
    int32_t PostMIDIPacket(aax::AAX_CMidiPacket*) override { return aax::AAX_ERROR_UNIMPLEMENTED; }
    aax::AAX_ITransport* GetTransport() override { return mTransport; }

    aax::AAX_CMidiStream stream{0, nullptr};

private:
    HostTransport* mTransport;
};

class HostViewContainer final : public HostObject<aax::AAX_IACFViewContainer> {
public:
    explicit HostViewContainer(void* window) : mWindow(window) {}
    int32_t QueryInterface(const aax::acfIID& iid, void** out) override;
    int32_t GetType() override { return type; }
    void* GetPtr() override { return mWindow; }
    int32_t GetModifiers(uint32_t* outModifiers) override;
    int32_t SetViewSize(aax::AAX_Point& size) override;
    int32_t HandleParameterMouseDown(const char*, uint32_t) override { return aax::AAX_ERROR_UNIMPLEMENTED; }
    int32_t HandleParameterMouseDrag(const char*, uint32_t) override { return aax::AAX_ERROR_UNIMPLEMENTED; }
    int32_t HandleParameterMouseUp(const char*, uint32_t) override { return aax::AAX_ERROR_UNIMPLEMENTED; }

    // The kind of view the host offers (Windows hosts: an HWND).
    int32_t type = aax::AAX_eViewContainer_Type_HWND;
    std::vector<aax::AAX_Point> sizeRequests;

private:
    void* mWindow;
};

} // namespace aaxhost
