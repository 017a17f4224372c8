#include "tools/host/DemoPhrase.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace quilhost {
namespace {

struct Note {
    double start;     // seconds
    int midiNote;
    double velocity;  // 0..1
};

// A rising and falling figure with room between the notes for the echoes.
constexpr Note kPhrase[] = {
    {0.00, 57, 0.9}, {0.25, 60, 0.7}, {0.50, 64, 0.8}, {0.75, 69, 0.7},
    {1.25, 67, 0.9}, {1.50, 64, 0.6}, {2.00, 62, 0.8}, {2.50, 57, 1.0},
};
constexpr double kPhraseSeconds = 4.0;

// A plucked string: a delay line one period long, filled with a noise burst and smoothed on
// every pass, so high partials die away first. The burst stays near -10 dBFS: the pedal's
// pre-emphasis roughly doubles the sharp onsets, and the echoes add to them.
void pluck(std::vector<float>& out, double sampleRate, const Note& note, std::uint32_t& seed) {
    const double frequency = 440.0 * std::pow(2.0, (note.midiNote - 69) / 12.0);
    const auto period = static_cast<std::size_t>(std::max(2.0, std::round(sampleRate / frequency)));
    std::vector<float> line(period);
    for (float& sample : line) {
        seed = seed * 1664525u + 1013904223u;
        sample = static_cast<float>(((seed >> 8) / 8388608.0 - 1.0) * 0.3 * note.velocity);
    }
    const auto begin = static_cast<std::size_t>(note.start * sampleRate);
    const auto length = static_cast<std::size_t>(1.2 * sampleRate);
    const double decay = 0.996;
    std::size_t position = 0;
    for (std::size_t i = 0; i < length && begin + i < out.size(); ++i) {
        const std::size_t next = (position + 1) % period;
        const float current = line[position];
        line[position] = static_cast<float>(decay * 0.5 * (current + line[next]));
        position = next;
        // A short fade at the end avoids a click when the note is cut.
        const double fade = std::min(1.0, static_cast<double>(length - i) / (0.05 * sampleRate));
        out[begin + i] += static_cast<float>(current * fade);
    }
}

} // namespace

AudioData makeDemoPhrase(double sampleRate, int channels) {
    std::vector<float> mono(static_cast<std::size_t>(kPhraseSeconds * sampleRate), 0.0f);
    std::uint32_t seed = 0x51756C;
    for (const Note& note : kPhrase) pluck(mono, sampleRate, note, seed);
    AudioData audio;
    audio.sampleRate = sampleRate;
    audio.channels.assign(static_cast<std::size_t>(std::max(1, channels)), mono);
    return audio;
}

} // namespace quilhost
