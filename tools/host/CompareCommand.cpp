// `compare`: two audio files sample for sample, as renders of different formats must match.
#include "tools/host/AudioFile.h"
#include "tools/host/Commands.h"

#include <cstdio>
#include <cstring>

namespace quilhost {

int runCompare(const std::string& first, const std::string& second) {
    AudioData a, b;
    std::string error;
    for (auto [path, data] : {std::pair<const std::string&, AudioData&>{first, a}, {second, b}}) {
        if (!readAudioFile(path, data, error)) {
            std::fprintf(stderr, "quilhost: %s\n", error.c_str());
            return 1;
        }
    }
    if (a.sampleRate != b.sampleRate || a.channelCount() != b.channelCount() || a.frames() != b.frames()) {
        std::printf("differ: %d channels, %zu frames at %.0f Hz against %d channels, %zu frames at %.0f Hz\n",
                    a.channelCount(), a.frames(), a.sampleRate, b.channelCount(), b.frames(), b.sampleRate);
        return 1;
    }
    for (std::size_t i = 0; i < a.frames(); ++i) {
        for (int c = 0; c < a.channelCount(); ++c) {
            const float x = a.channels[c][i], y = b.channels[c][i];
            if (std::memcmp(&x, &y, sizeof x) != 0) {
                std::printf("differ: channel %d, frame %zu: %.9g against %.9g\n", c, i, x, y);
                return 1;
            }
        }
    }
    std::printf("identical: %d channels, %zu frames\n", a.channelCount(), a.frames());
    return 0;
}

} // namespace quilhost
