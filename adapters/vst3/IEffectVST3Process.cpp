// Bus negotiation, processing set-up and the processing call of the VST3 adapter.
#include "adapters/vst3/IEffectVST3.h"

#include "adapters/vst3/api/Events.h"
#include "adapters/vst3/api/ParameterChanges.h"
#include "adapters/vst3/api/Speakers.h"
#include "editor/IGraphics.h"

#include <algorithm>
#include <cmath>

using namespace vst3;

namespace {

// Host buffers are attached in pieces of the scratch size through arrays of offset pointers on
// the stack; buses wider than this are cut to it (the adapter's own buses have at most six).
constexpr int32 kMaxBusChannels = 32;

template <class Sample>
Sample** channelsOf(AudioBusBuffers& bus);
template <>
float** channelsOf<float>(AudioBusBuffers& bus) { return bus.channelBuffers32; }
template <>
double** channelsOf<double>(AudioBusBuffers& bus) { return bus.channelBuffers64; }

// The channels of a host bus the adapter takes; a count below zero is none.
int32 channelCount(const AudioBusBuffers& bus) { return std::clamp(bus.numChannels, 0, kMaxBusChannels); }

// Pointers `offset` samples into the channels of `bus`, kMaxBusChannels of them: a channel the
// host gave no buffer for (a null array, a null entry, fewer channels than announced) gets null,
// which the frame turns into silence in and nothing written out.
template <class Sample>
void offsetPointers(AudioBusBuffers& bus, int32 offset, Sample** out) {
    Sample** channels = channelsOf<Sample>(bus);
    const int32 count = channels ? channelCount(bus) : 0;
    for (int32 c = 0; c < kMaxBusChannels; ++c) out[c] = c < count && channels[c] ? channels[c] + offset : nullptr;
}

} // namespace

tresult PLUGIN_API IEffectVST3::setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                                   SpeakerArrangement* outputs, int32 numOuts) {
    ConnectInputs(0, InputCount(), false);
    ConnectOutputs(0, OutputCount(), false);
    const int32 inChannels = numIns > 0 && inputs ? SpeakerArr::getChannelCount(inputs[0]) : 0;
    const int32 outChannels = numOuts > 0 && outputs ? SpeakerArr::getChannelCount(outputs[0]) : 0;
    if (!LegalIO(inChannels, outChannels)) return kResultFalse;
    // A replaced bus keeps its place, so a side-chain bus stays behind the main one.
    AudioBus* mainIn = getAudioBus(kInput, 0);
    if (!mainIn || mainIn->getChannelCount() != inChannels)
        audioInputs.replace(0, new AudioBus("Input", kMain, BusInfo::kDefaultActive, ArrangementFor(inChannels)));
    AudioBus* mainOut = getAudioBus(kOutput, 0);
    if (!mainOut || mainOut->getChannelCount() != outChannels)
        audioOutputs.replace(0, new AudioBus("Output", kMain, BusInfo::kDefaultActive, ArrangementFor(outChannels)));
    if (mSideChainChannels == 0) return numIns == 1 ? kResultTrue : kResultFalse;
    if (numIns != 2) return kResultFalse;
    const int32 sideChannels = SpeakerArr::getChannelCount(inputs[1]);
    AudioBus* side = getAudioBus(kInput, 1);
    if (!side || side->getChannelCount() != sideChannels)
        audioInputs.replace(1, new AudioBus("Sidechain Input", kAux, 0, ArrangementFor(sideChannels)));
    return kResultTrue;
}

tresult PLUGIN_API IEffectVST3::canProcessSampleSize(int32 symbolicSampleSize) {
    return symbolicSampleSize == kSample32 || symbolicSampleSize == kSample64 ? kResultTrue : kResultFalse;
}

uint32 PLUGIN_API IEffectVST3::getLatencySamples() { return static_cast<uint32>(Latency()); }

uint32 PLUGIN_API IEffectVST3::getTailSamples() { return static_cast<uint32>(TailSize()); }

tresult PLUGIN_API IEffectVST3::setupProcessing(ProcessSetup& setup) {
    if (setup.symbolicSampleSize != kSample32 && setup.symbolicSampleSize != kSample64) return kResultFalse;
    mBypassed = false;
    SetHostSampleRate(setup.sampleRate);
    ChangeBlockSize(setup.maxSamplesPerBlock);
    ResetDsp();
    return SingleComponentEffect::setupProcessing(setup);
}

tresult PLUGIN_API IEffectVST3::process(ProcessData& data) {
    PlugMutexLock lock(mMutex);
    if (data.processContext) mLastContext = *data.processContext;
    if (data.inputParameterChanges) ApplyParameterChanges(data.inputParameterChanges);
    if (DoesMidi() && data.inputEvents) ApplyEvents(data.inputEvents);
    if (data.numSamples <= 0 || data.numOutputs <= 0 || !data.outputs) return kResultOk;
    if (data.symbolicSampleSize == kSample64) ProcessAudio<double>(data);
    else ProcessAudio<float>(data);
    return kResultOk;
}

void IEffectVST3::ApplyParameterChanges(IParameterChanges* changes) {
    const int32 queues = changes->getParameterCount();
    for (int32 q = 0; q < queues; ++q) {
        IParamValueQueue* queue = changes->getParameterData(q);
        if (!queue) continue;
        // Changes apply per block: only the value at the end of the block counts.
        int32 offset = 0;
        ParamValue value = 0.0;
        if (queue->getPoint(queue->getPointCount() - 1, offset, value) != kResultOk) continue;
        const ParamID id = queue->getParameterId();
        if (id == kBypassParamId) {
            const bool bypass = value > 0.5;
            if (bypass != mBypassed) mBypassed = bypass;
        } else if (id == kPresetParamId) {
            // Checked before the conversion: NaN or a value far outside would not fit an int.
            const double position = value * PresetCount();
            if (position > -1.0 && position < PresetCount()) RecallPreset(static_cast<int>(position));
        } else if (id < static_cast<ParamID>(ParamCount())) {
            const int index = static_cast<int>(id);
            Param(index)->SetFromNormalized(value);
            // The audio thread leaves the value for the editor's tick.
            if (Editor()) Editor()->PostParamValue(index, value);
            ParameterChanged(index, false);
        } else if (DoesMidi() && id < static_cast<ParamID>(ParamCount() + 128) && !std::isnan(value)) {
            IMidiMessage message;
            message.status = 0xB0;
            message.data1 = static_cast<uint8_t>(id - static_cast<ParamID>(ParamCount()));
            message.data2 = static_cast<uint8_t>(std::clamp(value, 0.0, 1.0) * 127.0);
            ProcessMidiMessage(&message);
        }
    }
}

void IEffectVST3::ApplyEvents(IEventList* events) {
    const int32 count = events->getEventCount();
    for (int32 i = 0; i < count; ++i) {
        Event event{};
        if (events->getEvent(i, event) != kResultOk) continue;
        IMidiMessage message;
        message.offset = event.sampleOffset;
        if (event.type == Event::kNoteOnEvent) {
            if (std::isnan(event.noteOn.velocity)) continue;
            message.status = static_cast<uint8_t>(0x90 | (event.noteOn.channel & 0x0F));
            message.data1 = static_cast<uint8_t>(event.noteOn.pitch & 0x7F);
            message.data2 = static_cast<uint8_t>(std::clamp(event.noteOn.velocity, 0.0f, 1.0f) * 127.0f);
        } else if (event.type == Event::kNoteOffEvent) {
            message.status = static_cast<uint8_t>(0x80 | (event.noteOff.channel & 0x0F));
            message.data1 = static_cast<uint8_t>(event.noteOff.pitch & 0x7F);
            message.data2 = 0;
        } else {
            continue;
        }
        ProcessMidiMessage(&message);
    }
}

void IEffectVST3::ConnectHostBuses(const ProcessData& data) {
    ConnectHostInputs(data);
    int32 offset = 0;
    for (int32 j = 0; j < data.numOutputs; ++j) {
        const int32 k = channelCount(data.outputs[j]);
        const Bus* bus = audioOutputs.at(j);
        ConnectOutputs(offset, k, bus && bus->isActive());
        ConnectOutputs(offset + k, OutputCount() - offset - k, false);
        offset += k;
    }
}

void IEffectVST3::ConnectHostInputs(const ProcessData& data) {
    const int32 inputs = InputCount();
    // A block without inputs reads silence, never the buffers an earlier block came with.
    if (data.numInputs <= 0 || !data.inputs) {
        ConnectInputs(0, inputs, false);
        return;
    }
    if (mSideChainChannels == 0) {
        const int32 k = data.inputs[0].numChannels;
        ConnectInputs(0, k, true);
        ConnectInputs(k, inputs - k, false);
        return;
    }
    const Bus* side = audioInputs.at(1);
    const bool sideActive = side && side->isActive();
    if (mSideChainActive && !sideActive) ClearScratch();
    mSideChainActive = sideActive;
    ConnectInputs(0, inputs - mSideChainChannels, true);
    // Without the side-chain bus in this block its channels have nothing to read.
    ConnectInputs(inputs - mSideChainChannels, mSideChainChannels, sideActive && data.numInputs > 1);
}

template <class Sample>
void IEffectVST3::ProcessAudio(ProcessData& data) {
    const int32 piece = BlockSize();
    if (piece <= 0) {
        // Processing was never set up: there are no scratch buffers to run through.
        SilenceOutputs<Sample>(data);
        return;
    }
    ConnectHostBuses(data);
    const int32 inputs = InputCount();
    Sample* pointers[kMaxBusChannels];
    // Hosts may send more frames than they announced: run them in pieces the scratch holds.
    for (int32 done = 0; done < data.numSamples; done += piece) {
        const int32 frames = std::min(piece, data.numSamples - done);
        if (data.numInputs > 0 && data.inputs) {
            const int32 mainInputs = inputs - mSideChainChannels;
            offsetPointers<Sample>(data.inputs[0], done, pointers);
            if constexpr (sizeof(Sample) == sizeof(float)) AttachInputs(0, mainInputs, pointers, frames);
            else AttachInputs(0, mainInputs, pointers);
            if (mSideChainChannels != 0 && data.numInputs > 1) {
                offsetPointers<Sample>(data.inputs[1], done, pointers);
                if constexpr (sizeof(Sample) == sizeof(float)) AttachInputs(mainInputs, mSideChainChannels, pointers, frames);
                else AttachInputs(mainInputs, mSideChainChannels, pointers);
            }
        }
        int32 offset = 0;
        for (int32 j = 0; j < data.numOutputs; ++j) {
            const int32 k = channelCount(data.outputs[j]);
            offsetPointers<Sample>(data.outputs[j], done, pointers);
            AttachOutputs(offset, k, pointers);
            offset += k;
        }
        if constexpr (sizeof(Sample) == sizeof(float)) {
            if (mBypassed) PassThroughFloat(frames);
            else RunBlockFloat(frames);
        } else {
            if (mBypassed) PassThrough(frames);
            else RunBlock(frames);
        }
    }
}

template <class Sample>
void IEffectVST3::SilenceOutputs(ProcessData& data) {
    for (int32 j = 0; j < data.numOutputs; ++j) {
        Sample** channels = channelsOf<Sample>(data.outputs[j]);
        for (int32 c = 0; channels && c < data.outputs[j].numChannels; ++c) {
            if (channels[c]) std::fill(channels[c], channels[c] + data.numSamples, Sample{0});
        }
    }
}
