#include "tools/host/vst2/Vst2Render.h"

#include "tools/host/RenderSchedule.h"

#include <algorithm>
#include <cmath>

using namespace vst2;

namespace quilhost {
namespace {

template <class Sample>
struct Buffers {
    std::vector<std::vector<Sample>> storage;
    std::vector<Sample*> pointers;

    Buffers(int channels, int frames)
        : storage(static_cast<std::size_t>(std::max(channels, 0)), std::vector<Sample>(static_cast<std::size_t>(frames))) {
        for (auto& channel : storage) pointers.push_back(channel.data());
    }
};

template <class Sample>
void process(AEffect* effect, Sample** inputs, Sample** outputs, int frames) {
    if constexpr (sizeof(Sample) == sizeof(float)) effect->processReplacing(effect, inputs, outputs, frames);
    else effect->processDoubleReplacing(effect, inputs, outputs, frames);
}

template <class Sample>
void renderWith(Vst2Plugin& plugin, const AudioData& input, const RenderSettings& settings,
                const std::vector<TimedChange>& schedule, AudioData& output) {
    AEffect* effect = plugin.effect();
    const int blockSize = std::max(1, settings.blockSize);
    Buffers<Sample> inputs(effect->numInputs, blockSize);
    Buffers<Sample> outputs(effect->numOutputs, blockSize);
    const std::size_t totalFrames = renderedFrames(input, settings);
    output.sampleRate = settings.config.sampleRate;
    output.channels.assign(outputs.storage.size(), std::vector<float>(totalFrames));

    auto nextChange = schedule.begin();
    for (std::size_t position = 0; position < totalFrames; position += static_cast<std::size_t>(blockSize)) {
        const std::size_t frames = std::min<std::size_t>(static_cast<std::size_t>(blockSize), totalFrames - position);
        copyInputBlock(input, position, frames, inputs.pointers.data(), effect->numInputs);
        for (; nextChange != schedule.end() && nextChange->frame < position + frames; ++nextChange) {
            const ParameterChange& change = *nextChange->change;
            effect->setParameter(effect, static_cast<VstInt32>(change.id), static_cast<float>(change.value));
        }
        setTransport(plugin.timeInfo(), settings.config.sampleRate, settings.tempo, static_cast<long long>(position));
        process(effect, inputs.pointers.data(), outputs.pointers.data(), static_cast<int>(frames));
        for (std::size_t c = 0; c < output.channels.size(); ++c) {
            for (std::size_t i = 0; i < frames; ++i) output.channels[c][position + i] = static_cast<float>(outputs.storage[c][i]);
        }
    }
}

} // namespace

void setTransport(VstTimeInfo& time, double sampleRate, double tempo, long long position) {
    time = VstTimeInfo{};
    time.samplePos = static_cast<double>(position);
    time.sampleRate = sampleRate;
    time.tempo = tempo;
    time.ppqPos = static_cast<double>(position) / sampleRate * tempo / 60.0;
    time.barStartPos = std::floor(time.ppqPos / 4.0) * 4.0;
    time.timeSigNumerator = 4;
    time.timeSigDenominator = 4;
    time.flags = kVstTransportPlaying | kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstTimeSigValid;
}

bool renderVst2(Vst2Plugin& plugin, const AudioData& input, const RenderSettings& settings, AudioData& output,
                std::string& error) {
    std::vector<TimedChange> schedule;
    if (!scheduleChanges(input, settings, schedule, error)) return false;
    if (settings.config.doublePrecision) renderWith<double>(plugin, input, settings, schedule, output);
    else renderWith<float>(plugin, input, settings, schedule, output);
    return true;
}

} // namespace quilhost
