#pragma once
// Planar audio in memory: one vector of samples per channel, all of the same length.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace quilhost {

struct AudioData {
    double sampleRate = 44100.0;
    std::vector<std::vector<float>> channels;

    std::size_t frames() const { return channels.empty() ? 0 : channels.front().size(); }
    int channelCount() const { return static_cast<int>(channels.size()); }
    double seconds() const { return static_cast<double>(frames()) / sampleRate; }
    // The largest magnitude of any sample.
    float peak() const {
        float largest = 0.0f;
        for (const auto& channel : channels)
            for (float sample : channel) largest = std::max(largest, std::fabs(sample));
        return largest;
    }
};

} // namespace quilhost
