#include "tools/host/ParameterAssignments.h"

#include <cstdlib>

namespace quilhost {
namespace {

std::string knownTitles(const PluginInstance& instance) {
    std::vector<std::string> titles;
    for (const ParameterEntry& entry : instance.parameters()) titles.push_back(entry.title);
    return titleList(titles);
}

} // namespace

std::string titleList(const std::vector<std::string>& titles) {
    std::string list;
    std::string previous;
    for (const std::string& title : titles) {
        if (title == previous) continue;
        list += (list.empty() ? "" : ", ") + title;
        previous = title;
    }
    return list;
}

bool parseNormalizedValue(const ParameterAssignment& assignment, double& normalized, std::string& error) {
    char* end = nullptr;
    normalized = std::strtod(assignment.value.c_str(), &end);
    if (assignment.value.empty() || *end != 0 || !(normalized >= 0.0 && normalized <= 1.0)) {
        error = "normalised value for '" + assignment.title + "' must be a number from 0 to 1, not '" +
                assignment.value + "'";
        return false;
    }
    return true;
}

bool resolveAssignments(const PluginInstance& instance, const std::vector<ParameterAssignment>& assignments,
                        std::vector<ParameterChange>& changes, std::string& error) {
    for (const ParameterAssignment& assignment : assignments) {
        vst3::ParameterInfo info{};
        if (!instance.findParameter(assignment.title, info)) {
            error = "unknown parameter '" + assignment.title + "' (known: " + knownTitles(instance) + ")";
            return false;
        }
        vst3::ParamValue normalized = 0.0;
        if (assignment.normalized) {
            if (!parseNormalizedValue(assignment, normalized, error)) return false;
        } else if (!instance.parseValue(info, assignment.value, normalized, error)) {
            return false;
        }
        changes.push_back({info.id, normalized, assignment.atSeconds});
    }
    return true;
}

} // namespace quilhost
