// `state`: save an instance's state (after applying parameter assignments) and restore it into a
// fresh instance, checking that every parameter came back; or save it to / load it from a file.
#include "tools/host/BlockProcessor.h"
#include "tools/host/Commands.h"
#include "tools/host/HostSession.h"
#include "tools/host/ParameterAssignments.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace quilhost {
namespace {

int fail(const std::string& message) {
    std::fprintf(stderr, "quilhost: %s\n", message.c_str());
    return 1;
}

bool readFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return true;
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary);
    return file && file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

int runState(const CommandOptions& options) {
    std::string error;
    auto session = HostSession::open(options.bundle, error);
    if (!session) return fail(error);
    PluginInstance& source = session->instance();
    if (!sendAssignments(source, options, error)) return fail(error);

    std::vector<std::uint8_t> componentState, controllerState;
    if (!options.loadState.empty()) {
        if (!readFile(options.loadState, componentState)) return fail("cannot read '" + options.loadState + "'");
        controllerState = componentState;
    } else if (!source.saveState(componentState, controllerState, error)) {
        return fail(error);
    }
    std::printf("state: component %zu bytes, controller %zu bytes\n", componentState.size(), controllerState.size());
    if (!options.saveState.empty()) {
        if (!writeFile(options.saveState, componentState.empty() ? controllerState : componentState))
            return fail("cannot write '" + options.saveState + "'");
        std::printf("saved to %s\n", options.saveState.c_str());
    }

    auto target = session->createInstance(error);
    if (!target) return fail(error);
    const bool accepted = target->loadState(componentState, controllerState, error);
    if (!accepted) std::printf("restore reported failure: %s\n", error.c_str());

    // Compare what the restored instance reports with what was saved (or, for a loaded file,
    // just list it).
    int mismatches = 0;
    const auto parameters = target->parameters();
    for (const ParameterEntry& entry : parameters) {
        const double restored = target->controller()->getParamNormalized(entry.info.id);
        const double original = source.controller()->getParamNormalized(entry.info.id);
        const bool same = std::fabs(restored - original) < 1e-9;
        if (options.loadState.empty() && !same) ++mismatches;
        if (!same || !options.loadState.empty())
            std::printf("  %-20s %-12s %s\n", entry.title.c_str(), target->valueText(entry.info.id, restored).c_str(),
                        options.loadState.empty() ? ("(saved " + source.valueText(entry.info.id, original) + ")").c_str() : "");
    }
    if (options.loadState.empty())
        std::printf("round trip: %zu parameters, %d differ\n", parameters.size(), mismatches);
    return accepted && mismatches == 0 ? 0 : 1;
}

} // namespace quilhost
