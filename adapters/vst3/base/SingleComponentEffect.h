#pragma once
// One object that is both the processing component and its edit controller: the controller's
// parameters plus the component's buses and processing setup.

#include "adapters/vst3/api/AudioProcessor.h"
#include "adapters/vst3/api/Component.h"
#include "adapters/vst3/base/Bus.h"
#include "adapters/vst3/base/EditController.h"

namespace vst3 {

class SingleComponentEffect : public EditController, public IComponent, public IAudioProcessor {
public:
    SingleComponentEffect();

    tresult PLUGIN_API initialize(FUnknown* context) override;
    // Drops the buses, then the controller's parameters, handler and host context.
    tresult PLUGIN_API terminate() override;

    tresult PLUGIN_API getControllerClassId(TUID classId) override;
    tresult PLUGIN_API setIoMode(IoMode mode) override;
    int32 PLUGIN_API getBusCount(MediaType type, BusDirection dir) override;
    tresult PLUGIN_API getBusInfo(MediaType type, BusDirection dir, int32 index, BusInfo& bus) override;
    tresult PLUGIN_API getRoutingInfo(RoutingInfo& inInfo, RoutingInfo& outInfo) override;
    tresult PLUGIN_API activateBus(MediaType type, BusDirection dir, int32 index, TBool state) override;
    tresult PLUGIN_API setActive(TBool state) override;
    // The component and the controller have one state, so both interfaces share these two.
    tresult PLUGIN_API setState(IBStream* state) override;
    tresult PLUGIN_API getState(IBStream* state) override;

    // Takes the arrangements when their count matches the audio buses; false otherwise.
    tresult PLUGIN_API setBusArrangements(SpeakerArrangement* inputs, int32 numIns, SpeakerArrangement* outputs,
                                          int32 numOuts) override;
    tresult PLUGIN_API getBusArrangement(BusDirection dir, int32 index, SpeakerArrangement& arr) override;
    tresult PLUGIN_API canProcessSampleSize(int32 symbolicSampleSize) override;
    uint32 PLUGIN_API getLatencySamples() override;
    tresult PLUGIN_API setupProcessing(ProcessSetup& setup) override;
    tresult PLUGIN_API setProcessing(TBool state) override;
    tresult PLUGIN_API process(ProcessData& data) override;
    uint32 PLUGIN_API getTailSamples() override;

    tresult PLUGIN_API queryInterface(const TUID iidBytes, void** obj) override;
    QUIL_VST3_REFCOUNT_FROM(EditController)
    QUIL_VST3_CLASS_NAME(SingleComponentEffect, EditController)

    // Bus construction for derived classes; the new bus is returned (owned by its list).
    AudioBus* addAudioInput(const char* name, SpeakerArrangement arrangement, BusType busType = kMain,
                            uint32 flags = BusInfo::kDefaultActive);
    AudioBus* addAudioOutput(const char* name, SpeakerArrangement arrangement, BusType busType = kMain,
                             uint32 flags = BusInfo::kDefaultActive);
    EventBus* addEventInput(const char* name, int32 channels = 16, BusType busType = kMain,
                            uint32 flags = BusInfo::kDefaultActive);
    EventBus* addEventOutput(const char* name, int32 channels = 16, BusType busType = kMain,
                             uint32 flags = BusInfo::kDefaultActive);

    // The list of one media type and direction; null for an unknown pair.
    BusList* getBusList(MediaType type, BusDirection dir);
    AudioBus* getAudioBus(BusDirection dir, int32 index);

    const ProcessSetup& getProcessSetup() const { return processSetup; }

protected:
    BusList audioInputs{kAudio, kInput};
    BusList audioOutputs{kAudio, kOutput};
    BusList eventInputs{kEvent, kInput};
    BusList eventOutputs{kEvent, kOutput};
    ProcessSetup processSetup{};
};

} // namespace vst3
