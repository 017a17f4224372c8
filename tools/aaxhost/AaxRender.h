#pragma once
// Audio through an AAX instance block by block, as a host's engine does: parameter values sent
// as updates before the block that contains their moment, the transport moving with the audio.

#include "tools/aaxhost/AaxInstance.h"
#include "tools/host/AudioData.h"
#include "tools/host/Commands.h"

#include <string>
#include <vector>

namespace aaxhost {

struct AaxParameterChange {
    std::string id;
    double value = 0.0;
    double atSeconds = 0.0;
};

struct AaxRenderSettings {
    int blockSize = 512;
    double tempo = 120.0;
    double tailSeconds = 0.0;
    std::vector<AaxParameterChange> changes;
};

// Command-line assignments (by parameter name, any letter case; "Bypass" names the host's
// master bypass) as normalised changes. False, with `error` set, for an unknown name or a value
// the plug-in cannot read.
bool resolveAaxAssignments(const AaxInstance& instance, const std::vector<quilhost::ParameterAssignment>& assignments,
                           std::vector<AaxParameterChange>& changes, std::string& error);

// Renders `input` (channels mapped onto the component's inputs, the last one repeated) followed by
// the tail into `output` (one channel per component output).
bool renderThrough(AaxInstance& instance, const quilhost::AudioData& input, const AaxRenderSettings& settings,
                   quilhost::AudioData& output, std::string& error);

} // namespace aaxhost
