#include "tools/aaxhost/AaxRender.h"

#include "tools/aaxhost/HostString.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

using namespace aax;

namespace aaxhost {

namespace {

bool sameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string idOfName(const AaxInstance& instance, const std::string& name) {
    if (sameName(name, "Bypass")) return instance.masterBypassId();
    for (const std::string& id : instance.parameterIds()) {
        if (sameName(instance.parameterName(id), name)) return id;
    }
    return "";
}

std::size_t frameOf(double seconds, double rate) {
    return static_cast<std::size_t>(std::llround(std::max(0.0, seconds) * rate));
}

} // namespace

bool resolveAaxAssignments(const AaxInstance& instance, const std::vector<quilhost::ParameterAssignment>& assignments,
                           std::vector<AaxParameterChange>& changes, std::string& error) {
    for (const quilhost::ParameterAssignment& assignment : assignments) {
        const std::string id = idOfName(instance, assignment.title);
        if (id.empty()) {
            error = "no parameter named '" + assignment.title + "'";
            return false;
        }
        double value = 0.0;
        if (assignment.normalized) {
            char* end = nullptr;
            value = std::strtod(assignment.value.c_str(), &end);
            if (end == assignment.value.c_str() || *end != 0 || !(value >= 0.0 && value <= 1.0)) {
                error = "'" + assignment.value + "' is no normalised value";
                return false;
            }
        } else {
            const HostString text(assignment.value.c_str());
            if (instance.dataModel()->GetParameterValueFromString(id.c_str(), &value, text) != AAX_SUCCESS) {
                error = "'" + assignment.value + "' is no value of " + assignment.title;
                return false;
            }
        }
        changes.push_back({id, value, assignment.atSeconds});
    }
    return true;
}

bool renderThrough(AaxInstance& instance, const quilhost::AudioData& input, const AaxRenderSettings& settings,
                   quilhost::AudioData& output, std::string& error) {
    const int block = std::max(1, settings.blockSize);
    const double rate = input.sampleRate;
    const std::size_t inputFrames = input.frames();
    const std::size_t total = inputFrames + static_cast<std::size_t>(settings.tailSeconds * rate);
    std::vector<AaxParameterChange> schedule = settings.changes;
    std::stable_sort(schedule.begin(), schedule.end(), [&](const AaxParameterChange& a, const AaxParameterChange& b) {
        return frameOf(a.atSeconds, rate) < frameOf(b.atSeconds, rate);
    });
    for (const AaxParameterChange& change : schedule) {
        if (frameOf(change.atSeconds, rate) >= std::max<std::size_t>(total, 1)) {
            error = "a parameter change lies beyond the end of the audio";
            return false;
        }
    }
    const int ins = instance.inputChannels();
    const int outs = instance.outputChannels();
    std::vector<std::vector<float>> inBuffers(static_cast<std::size_t>(ins), std::vector<float>(static_cast<std::size_t>(block)));
    std::vector<std::vector<float>> outBuffers(static_cast<std::size_t>(outs), std::vector<float>(static_cast<std::size_t>(block)));
    std::vector<const float*> inPointers;
    std::vector<float*> outPointers;
    for (auto& channel : inBuffers) inPointers.push_back(channel.data());
    for (auto& channel : outBuffers) outPointers.push_back(channel.data());

    instance.transport().tempo = settings.tempo;
    output.sampleRate = rate;
    output.channels.assign(static_cast<std::size_t>(outs), std::vector<float>(total));
    auto next = schedule.begin();
    for (std::size_t position = 0; position < total; position += static_cast<std::size_t>(block)) {
        const std::size_t frames = std::min<std::size_t>(static_cast<std::size_t>(block), total - position);
        for (int c = 0; c < ins; ++c) {
            std::vector<float>& channel = inBuffers[static_cast<std::size_t>(c)];
            std::fill(channel.begin(), channel.end(), 0.0f);
            if (input.channelCount() == 0) continue;
            const auto& source = input.channels[static_cast<std::size_t>(std::min(c, input.channelCount() - 1))];
            for (std::size_t i = 0; i < frames && position + i < inputFrames; ++i) channel[i] = source[position + i];
        }
        for (; next != schedule.end() && frameOf(next->atSeconds, rate) < position + frames; ++next)
            instance.updateValue(next->id, next->value);
        instance.render(inPointers.data(), outPointers.data(), static_cast<int>(frames));
        for (int c = 0; c < outs; ++c) {
            const auto& produced = outBuffers[static_cast<std::size_t>(c)];
            std::copy(produced.begin(), produced.begin() + static_cast<std::ptrdiff_t>(frames),
                      output.channels[static_cast<std::size_t>(c)].begin() + static_cast<std::ptrdiff_t>(position));
        }
    }
    return true;
}

} // namespace aaxhost
