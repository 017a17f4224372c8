#pragma once
// What every format's renderer shares: how long a render runs, when each parameter change is sent,
// and how the input is laid onto the plug-in's input channels block by block.

#include "tools/host/AudioData.h"
#include "tools/host/BlockProcessor.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

namespace quilhost {

// The input followed by the tail.
std::size_t renderedFrames(const AudioData& input, const RenderSettings& settings);

struct TimedChange {
    std::size_t frame;
    const ParameterChange* change;
};

// The changes in the order they are sent; changes at the same moment keep their given order. False,
// with `error` set, when a change lies beyond the end of the render.
bool scheduleChanges(const AudioData& input, const RenderSettings& settings, std::vector<TimedChange>& schedule,
                     std::string& error);

// Block `frames` long from `position` of the input into `channels` buffers: missing input channels
// repeat the last one, frames past the input's end are silent.
template <class Sample>
void copyInputBlock(const AudioData& input, std::size_t position, std::size_t frames, Sample* const* channels,
                    int channelCount) {
    for (int c = 0; c < channelCount; ++c) {
        Sample* out = channels[c];
        std::fill(out, out + frames, Sample{0});
        if (input.channelCount() == 0) continue;
        const auto& source = input.channels[static_cast<std::size_t>(std::min(c, input.channelCount() - 1))];
        for (std::size_t i = 0; i < frames && position + i < source.size(); ++i)
            out[i] = static_cast<Sample>(source[position + i]);
    }
}

} // namespace quilhost
