#pragma once
// Turns command-line parameter assignments into the normalised changes a host sends.

#include "tools/host/BlockProcessor.h"
#include "tools/host/Commands.h"
#include "tools/host/PluginInstance.h"

#include <string>
#include <vector>

namespace quilhost {

// False, with `error` naming the first bad assignment, when a title is unknown or a value is not
// accepted.
bool resolveAssignments(const PluginInstance& instance, const std::vector<ParameterAssignment>& assignments,
                        std::vector<ParameterChange>& changes, std::string& error);

} // namespace quilhost
