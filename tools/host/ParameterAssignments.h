#pragma once
// Turns command-line parameter assignments into the normalised changes a host sends.

#include "tools/host/BlockProcessor.h"
#include "tools/host/Commands.h"
#include "tools/host/PluginInstance.h"

#include <string>
#include <vector>

namespace quilhost {

// A normalised value from an assignment: a number from 0 to 1. False, with `error` set, otherwise.
bool parseNormalizedValue(const ParameterAssignment& assignment, double& normalized, std::string& error);
// The titles for an error message, runs of the same title listed once.
std::string titleList(const std::vector<std::string>& titles);

// False, with `error` naming the first bad assignment, when a title is unknown or a value is not
// accepted.
bool resolveAssignments(const PluginInstance& instance, const std::vector<ParameterAssignment>& assignments,
                        std::vector<ParameterChange>& changes, std::string& error);

// Parameter changes reach a processor only with a block: sends the command line's assignments with
// one short block of silence, as a host applies automation, and tells the controller too. False,
// with `error` set, for a bad assignment or a setup or block the plug-in refuses.
bool sendAssignments(PluginInstance& instance, const CommandOptions& options, std::string& error);

} // namespace quilhost
