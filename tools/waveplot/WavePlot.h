#pragma once
// A picture of several sounds: one labelled row per sound, all on one time scale, each channel's
// waveform drawn as the span of its samples under every pixel column.

#include <string>
#include <vector>

namespace waveplot {

struct Sound {
    std::string label;
    double sampleRate = 44100.0;
    std::vector<std::vector<float>> channels;

    std::size_t frames() const { return channels.empty() ? 0 : channels.front().size(); }
    double seconds() const { return static_cast<double>(frames()) / sampleRate; }
    float peak() const;
};

// Reads a sound file; false with `error` set when it cannot.
bool readSound(const std::string& path, Sound& sound, std::string& error);

// Draws the sounds into a PNG of `width` pixels; false with `error` set when it cannot.
bool plotSounds(const std::vector<Sound>& sounds, int width, const std::string& path, std::string& error);

} // namespace waveplot
