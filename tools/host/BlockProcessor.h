#pragma once
// Runs audio through a prepared plug-in instance block by block, as a host's audio engine does:
// buffers for every audio bus, parameter changes delivered with the block they apply to, an
// event list and the transport record, in 32-bit or 64-bit samples.

#include "tools/host/AudioData.h"
#include "tools/host/PluginInstance.h"
#include "tools/host/ProcessTiming.h"

#include <string>
#include <vector>

namespace quilhost {

// One normalised parameter value, sent with the block that contains its moment.
struct ParameterChange {
    vst3::ParamID id;
    vst3::ParamValue value;
    double atSeconds = 0.0;
};

struct RenderSettings {
    ProcessingConfig config;                  // as prepared
    int blockSize = 512;                      // the size of the blocks actually sent (may exceed the announced maximum)
    double tempo = 120.0;
    double tailSeconds = 0.0;                 // silence processed after the input
    std::vector<ParameterChange> changes;     // in order of time
    ProcessTiming* timing = nullptr;          // when set, the processing calls are timed into it
};

// Processes `input` (mapped onto the plug-in's input channels: missing channels repeat the last
// one, extra channels are dropped) and collects the main output bus. Every block comes with an
// object for the plug-in's output parameter changes, as hosts pass one; when `outputChanges` is
// given it receives every point the plug-in reported, timed from the start of the render. False
// with `error` set when a block fails or a change lies beyond the end.
bool renderAudio(PluginInstance& instance, const AudioData& input, const RenderSettings& settings, AudioData& output,
                 std::string& error, std::vector<ParameterChange>* outputChanges = nullptr);

} // namespace quilhost
