#pragma once
// Planar audio in memory: one vector of samples per channel, all of the same length.

#include <cstddef>
#include <vector>

namespace vst3host {

struct AudioData {
    double sampleRate = 44100.0;
    std::vector<std::vector<float>> channels;

    std::size_t frames() const { return channels.empty() ? 0 : channels.front().size(); }
    int channelCount() const { return static_cast<int>(channels.size()); }
};

} // namespace vst3host
