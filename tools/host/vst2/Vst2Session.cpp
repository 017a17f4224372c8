#include "tools/host/vst2/Vst2Commands.h"

namespace quilhost {

bool Vst2Session::open(const std::string& path, std::string& error) {
    library = Vst2Library::open(path, error);
    if (!library) return false;
    plugin = Vst2Plugin::create(library->entry(), error);
    return plugin != nullptr;
}

bool resolveVst2Assignments(const Vst2Library& library, const std::vector<ParameterAssignment>& assignments,
                            std::vector<ParameterChange>& changes, std::string& error) {
    if (assignments.empty()) return true;
    auto scratch = Vst2Plugin::create(library.entry(), error);
    if (!scratch) return false;
    Vst2Plugin& plugin = *scratch;
    for (const ParameterAssignment& assignment : assignments) {
        const int index = plugin.findParameter(assignment.title);
        if (index < 0) {
            std::vector<std::string> titles;
            for (const Vst2Parameter& parameter : plugin.parameters()) titles.push_back(parameter.title);
            error = "unknown parameter '" + assignment.title + "' (known: " + titleList(titles) + ")";
            return false;
        }
        double normalized = 0.0;
        if (assignment.normalized) {
            if (!parseNormalizedValue(assignment, normalized, error)) return false;
        } else {
            float parsed = 0.0f;
            if (!plugin.parseValue(index, assignment.value, parsed, error)) return false;
            normalized = parsed;
        }
        changes.push_back({static_cast<vst3::ParamID>(index), normalized, assignment.atSeconds});
    }
    return true;
}

bool setVst2Assignments(const Vst2Session& session, const std::vector<ParameterAssignment>& assignments,
                        std::string& error) {
    std::vector<ParameterChange> changes;
    if (!resolveVst2Assignments(*session.library, assignments, changes, error)) return false;
    vst2::AEffect* effect = session.plugin->effect();
    for (const ParameterChange& change : changes)
        effect->setParameter(effect, static_cast<vst2::VstInt32>(change.id), static_cast<float>(change.value));
    return true;
}

} // namespace quilhost
