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

bool sendAssignments(PluginInstance& instance, const CommandOptions& options, std::string& error) {
    RenderSettings settings;
    if (!resolveAssignments(instance, options.assignments, settings.changes, error)) return false;
    // A separate controller learns the values as a host tells it; the processor, and through it
    // the plug-in's editor, with the block below.
    for (const ParameterChange& change : settings.changes) instance.controller()->setParamNormalized(change.id, change.value);
    settings.config.sampleRate = options.sampleRate;
    settings.config.maxBlockSize = options.blockSize;
    settings.blockSize = options.blockSize;
    if (!instance.prepare(settings.config, error)) return false;
    AudioData silence;
    silence.sampleRate = options.sampleRate;
    silence.channels.assign(static_cast<std::size_t>(settings.config.inputChannels),
                            std::vector<float>(static_cast<std::size_t>(options.blockSize)));
    AudioData ignored;
    const bool ok = renderAudio(instance, silence, settings, ignored, error);
    instance.stop();
    return ok;
}

} // namespace quilhost
