#pragma once
// A picture of several sounds: one labelled row per sound, all on one time scale, each channel's
// waveform drawn as the span of its samples under every pixel column.

#include "tools/host/AudioData.h"

#include <string>
#include <vector>

namespace waveplot {

struct Sound {
    std::string label;
    quilhost::AudioData audio;
};

// Draws the sounds into a PNG of `width` pixels; false with `error` set when it cannot.
bool plotSounds(const std::vector<Sound>& sounds, int width, const std::string& path, std::string& error);

} // namespace waveplot
