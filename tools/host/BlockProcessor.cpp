#include "tools/host/BlockProcessor.h"

#include "adapters/vst3/api/Speakers.h"
#include "tools/host/EventList.h"
#include "tools/host/ParameterChanges.h"
#include "tools/host/RenderSchedule.h"
#include "tools/host/Transport.h"

#include <algorithm>
#include <cmath>

using namespace vst3;

namespace quilhost {
namespace {

// The channel buffers of every bus of one direction, and the records that point at them.
template <class Sample>
struct BusBuffers {
    std::vector<std::vector<Sample>> storage;
    std::vector<std::vector<Sample*>> pointers;
    std::vector<AudioBusBuffers> records;

    BusBuffers(IAudioProcessor* processor, IComponent* component, BusDirection direction, int blockSize) {
        const int32 buses = component->getBusCount(kAudio, direction);
        pointers.resize(static_cast<std::size_t>(buses));
        records.resize(static_cast<std::size_t>(buses));
        for (int32 b = 0; b < buses; ++b) {
            SpeakerArrangement arrangement = 0;
            processor->getBusArrangement(direction, b, arrangement);
            const int32 channels = SpeakerArr::getChannelCount(arrangement);
            for (int32 c = 0; c < channels; ++c) storage.emplace_back(static_cast<std::size_t>(blockSize), Sample{0});
            records[static_cast<std::size_t>(b)] = AudioBusBuffers{};
            records[static_cast<std::size_t>(b)].numChannels = channels;
        }
        std::size_t next = 0;
        for (std::size_t b = 0; b < records.size(); ++b) {
            for (int32 c = 0; c < records[b].numChannels; ++c) pointers[b].push_back(storage[next++].data());
            if constexpr (sizeof(Sample) == sizeof(float)) records[b].channelBuffers32 = pointers[b].data();
            else records[b].channelBuffers64 = pointers[b].data();
        }
    }

    int32 channelsOfFirstBus() const { return records.empty() ? 0 : records[0].numChannels; }
};

// The points the plug-in reported for the block that starts at `position`.
void collectReported(IParameterChanges& reported, std::size_t position, double sampleRate,
                     std::vector<ParameterChange>& into) {
    for (int32 q = 0; q < reported.getParameterCount(); ++q) {
        IParamValueQueue* queue = reported.getParameterData(q);
        if (!queue) continue;
        for (int32 p = 0; p < queue->getPointCount(); ++p) {
            int32 offset = 0;
            ParamValue value = 0.0;
            if (queue->getPoint(p, offset, value) != kResultOk) continue;
            const double frame = static_cast<double>(position) + offset;
            into.push_back({queue->getParameterId(), value, frame / sampleRate});
        }
    }
}

template <class Sample>
bool renderWith(PluginInstance& instance, const AudioData& input, const RenderSettings& settings,
                const std::vector<TimedChange>& schedule, AudioData& output, std::string& error,
                std::vector<ParameterChange>* outputChanges) {
    const int blockSize = std::max(1, settings.blockSize);
    BusBuffers<Sample> inputs(instance.processor(), instance.component(), kInput, blockSize);
    BusBuffers<Sample> outputs(instance.processor(), instance.component(), kOutput, blockSize);
    auto* changes = new ParameterChanges;
    auto* reported = new ParameterChanges;
    auto* events = new EventList;
    Transport transport(settings.config.sampleRate, settings.tempo);

    const std::size_t totalFrames = renderedFrames(input, settings);
    auto nextChange = schedule.begin();
    output.sampleRate = settings.config.sampleRate;
    output.channels.assign(static_cast<std::size_t>(outputs.channelsOfFirstBus()), std::vector<float>(totalFrames));

    ProcessData data{};
    data.processMode = settings.config.offline ? kOffline : kRealtime;
    data.symbolicSampleSize = sizeof(Sample) == sizeof(float) ? kSample32 : kSample64;
    data.numInputs = static_cast<int32>(inputs.records.size());
    data.numOutputs = static_cast<int32>(outputs.records.size());
    data.inputs = inputs.records.empty() ? nullptr : inputs.records.data();
    data.outputs = outputs.records.data();
    data.inputParameterChanges = changes;
    data.outputParameterChanges = reported;
    data.inputEvents = events;

    bool ok = true;
    for (std::size_t position = 0; position < totalFrames; position += static_cast<std::size_t>(blockSize)) {
        const std::size_t frames = std::min<std::size_t>(static_cast<std::size_t>(blockSize), totalFrames - position);
        for (auto& channel : inputs.storage) std::fill(channel.begin(), channel.end(), Sample{0});
        if (!inputs.pointers.empty())
            copyInputBlock(input, position, frames, inputs.pointers[0].data(), inputs.channelsOfFirstBus());
        // Hosts keep the controller's view in step with what they send the processor.
        for (; nextChange != schedule.end() && nextChange->frame < position + frames; ++nextChange) {
            const ParameterChange& change = *nextChange->change;
            changes->add(change.id, static_cast<int32>(nextChange->frame - position), change.value);
            instance.controller()->setParamNormalized(change.id, change.value);
        }
        data.numSamples = static_cast<int32>(frames);
        data.processContext = transport.context();
        const double before = settings.timing ? wallClockSeconds() : 0.0;
        const tresult processed = instance.processor()->process(data);
        if (settings.timing) {
            settings.timing->seconds.push_back(wallClockSeconds() - before);
            settings.timing->frames.push_back(static_cast<int>(frames));
        }
        if (processed != kResultOk) {
            error = "the plug-in failed to process the block at sample " + std::to_string(position);
            ok = false;
            break;
        }
        for (std::size_t c = 0; c < output.channels.size(); ++c) {
            const Sample* produced = outputs.pointers[0][c];
            for (std::size_t i = 0; i < frames; ++i) output.channels[c][position + i] = static_cast<float>(produced[i]);
        }
        if (outputChanges) collectReported(*reported, position, settings.config.sampleRate, *outputChanges);
        changes->clear();
        reported->clear();
        transport.advance(static_cast<int>(frames));
    }
    changes->release();
    reported->release();
    events->release();
    return ok;
}

} // namespace

bool renderAudio(PluginInstance& instance, const AudioData& input, const RenderSettings& settings, AudioData& output,
                 std::string& error, std::vector<ParameterChange>* outputChanges) {
    std::vector<TimedChange> schedule;
    if (!scheduleChanges(input, settings, schedule, error)) return false;
    if (settings.config.doublePrecision)
        return renderWith<double>(instance, input, settings, schedule, output, error, outputChanges);
    return renderWith<float>(instance, input, settings, schedule, output, error, outputChanges);
}

} // namespace quilhost
