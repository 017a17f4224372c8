#include "adapters/vst3/base/SingleComponentEffect.h"

namespace vst3 {

SingleComponentEffect::SingleComponentEffect() {
    processSetup.processMode = kRealtime;
    processSetup.symbolicSampleSize = kSample32;
    processSetup.maxSamplesPerBlock = 1024;
    processSetup.sampleRate = 44100.0;
}

tresult PLUGIN_API SingleComponentEffect::initialize(FUnknown* context) { return EditController::initialize(context); }

tresult PLUGIN_API SingleComponentEffect::terminate() {
    audioInputs.clear();
    audioOutputs.clear();
    eventInputs.clear();
    eventOutputs.clear();
    return EditController::terminate();
}

tresult PLUGIN_API SingleComponentEffect::getControllerClassId(TUID) { return kNotImplemented; }
tresult PLUGIN_API SingleComponentEffect::setIoMode(IoMode) { return kNotImplemented; }
tresult PLUGIN_API SingleComponentEffect::getRoutingInfo(RoutingInfo&, RoutingInfo&) { return kNotImplemented; }

int32 PLUGIN_API SingleComponentEffect::getBusCount(MediaType type, BusDirection dir) {
    const BusList* list = getBusList(type, dir);
    return list ? list->size() : 0;
}

tresult PLUGIN_API SingleComponentEffect::getBusInfo(MediaType type, BusDirection dir, int32 index, BusInfo& bus) {
    const BusList* list = getBusList(type, dir);
    return list && list->getInfo(index, bus) ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API SingleComponentEffect::activateBus(MediaType type, BusDirection dir, int32 index, TBool state) {
    const BusList* list = getBusList(type, dir);
    Bus* bus = list ? list->at(index) : nullptr;
    if (!bus) return kResultFalse;
    bus->setActive(state != 0);
    return kResultTrue;
}

tresult PLUGIN_API SingleComponentEffect::setActive(TBool) { return kResultOk; }
tresult PLUGIN_API SingleComponentEffect::setState(IBStream*) { return kNotImplemented; }
tresult PLUGIN_API SingleComponentEffect::getState(IBStream*) { return kNotImplemented; }

tresult PLUGIN_API SingleComponentEffect::setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                                             SpeakerArrangement* outputs, int32 numOuts) {
    if (numIns != audioInputs.size() || numOuts != audioOutputs.size()) return kResultFalse;
    if ((numIns > 0 && !inputs) || (numOuts > 0 && !outputs)) return kInvalidArgument;
    for (int32 i = 0; i < numIns; ++i) static_cast<AudioBus*>(audioInputs.at(i))->setArrangement(inputs[i]);
    for (int32 i = 0; i < numOuts; ++i) static_cast<AudioBus*>(audioOutputs.at(i))->setArrangement(outputs[i]);
    return kResultTrue;
}

tresult PLUGIN_API SingleComponentEffect::getBusArrangement(BusDirection dir, int32 index, SpeakerArrangement& arr) {
    const AudioBus* bus = getAudioBus(dir, index);
    if (!bus) return kResultFalse;
    arr = bus->getArrangement();
    return kResultTrue;
}

tresult PLUGIN_API SingleComponentEffect::canProcessSampleSize(int32 symbolicSampleSize) {
    return symbolicSampleSize == kSample32 ? kResultTrue : kResultFalse;
}

uint32 PLUGIN_API SingleComponentEffect::getLatencySamples() { return 0; }

tresult PLUGIN_API SingleComponentEffect::setupProcessing(ProcessSetup& setup) {
    processSetup = setup;
    return kResultOk;
}

tresult PLUGIN_API SingleComponentEffect::setProcessing(TBool) { return kNotImplemented; }
tresult PLUGIN_API SingleComponentEffect::process(ProcessData&) { return kNotImplemented; }
uint32 PLUGIN_API SingleComponentEffect::getTailSamples() { return kNoTail; }

tresult PLUGIN_API SingleComponentEffect::queryInterface(const TUID iidBytes, void** obj) {
    if (obj && iidBytes) {
        if (answerInterface<IComponent>(this, iidBytes, obj)) return kResultOk;
        if (answerInterface<IAudioProcessor>(this, iidBytes, obj)) return kResultOk;
    }
    return EditController::queryInterface(iidBytes, obj);
}

AudioBus* SingleComponentEffect::addAudioInput(const char* name, SpeakerArrangement arrangement, BusType busType,
                                               uint32 flags) {
    return static_cast<AudioBus*>(audioInputs.append(new AudioBus(name, busType, flags, arrangement)));
}

AudioBus* SingleComponentEffect::addAudioOutput(const char* name, SpeakerArrangement arrangement, BusType busType,
                                                uint32 flags) {
    return static_cast<AudioBus*>(audioOutputs.append(new AudioBus(name, busType, flags, arrangement)));
}

EventBus* SingleComponentEffect::addEventInput(const char* name, int32 channels, BusType busType, uint32 flags) {
    return static_cast<EventBus*>(eventInputs.append(new EventBus(name, busType, flags, channels)));
}

EventBus* SingleComponentEffect::addEventOutput(const char* name, int32 channels, BusType busType, uint32 flags) {
    return static_cast<EventBus*>(eventOutputs.append(new EventBus(name, busType, flags, channels)));
}

BusList* SingleComponentEffect::getBusList(MediaType type, BusDirection dir) {
    if (type == kAudio) return dir == kInput ? &audioInputs : dir == kOutput ? &audioOutputs : nullptr;
    if (type == kEvent) return dir == kInput ? &eventInputs : dir == kOutput ? &eventOutputs : nullptr;
    return nullptr;
}

AudioBus* SingleComponentEffect::getAudioBus(BusDirection dir, int32 index) {
    const BusList* list = getBusList(kAudio, dir);
    return list ? static_cast<AudioBus*>(list->at(index)) : nullptr;
}

} // namespace vst3
