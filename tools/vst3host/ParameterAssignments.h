#pragma once
// Turns command-line parameter assignments into the normalised changes a host sends.

#include "tools/vst3host/Commands.h"
#include "tools/vst3host/PluginInstance.h"

#include <string>
#include <utility>
#include <vector>

namespace vst3host {

// False, with `error` naming the first bad assignment, when a title is unknown or a value is not
// accepted.
bool resolveAssignments(const PluginInstance& instance, const std::vector<ParameterAssignment>& assignments,
                        std::vector<std::pair<vst3::ParamID, vst3::ParamValue>>& changes, std::string& error);

} // namespace vst3host
