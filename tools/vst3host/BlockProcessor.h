#pragma once
// Runs audio through a prepared plug-in instance block by block, as a host's audio engine does:
// buffers for every audio bus, parameter changes delivered with the block they apply to, an
// event list and the transport record, in 32-bit or 64-bit samples.

#include "tools/vst3host/AudioData.h"
#include "tools/vst3host/PluginInstance.h"

#include <string>
#include <utility>
#include <vector>

namespace vst3host {

struct RenderSettings {
    ProcessingConfig config;                  // as prepared
    int blockSize = 512;                      // the size of the blocks actually sent (may exceed the announced maximum)
    double tempo = 120.0;
    double tailSeconds = 0.0;                 // silence processed after the input
    std::vector<std::pair<vst3::ParamID, vst3::ParamValue>> changes;  // sent with the first block
};

// Processes `input` (mapped onto the plug-in's input channels: missing channels repeat the last
// one, extra channels are dropped) and collects the main output bus. False with `error` set when
// a block fails.
bool renderAudio(PluginInstance& instance, const AudioData& input, const RenderSettings& settings, AudioData& output,
                 std::string& error);

} // namespace vst3host
