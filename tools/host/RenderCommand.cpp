// `render`: an input file (or the demo phrase) through the plug-in into an output file.
#include "tools/host/BlockProcessor.h"
#include "tools/host/Commands.h"
#include "tools/host/HostSession.h"
#include "tools/host/ParameterAssignments.h"
#include "tools/host/RenderIo.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quilhost {
namespace {

// One line per reported point: the parameter's title (when the plug-in lists it), its identifier,
// the sample and time it applies from, and the normalised value.
void printOutputChanges(PluginInstance& instance, const std::vector<ParameterChange>& changes, double sampleRate) {
    const std::vector<ParameterEntry> parameters = instance.parameters();
    for (const ParameterChange& change : changes) {
        const auto listed = std::find_if(parameters.begin(), parameters.end(),
                                         [&](const ParameterEntry& p) { return p.info.id == change.id; });
        const std::string title = listed != parameters.end() ? listed->title : std::string();
        std::printf("output change: \"%s\" (id %u) at sample %lld (%.6f s) = %.6f\n", title.c_str(),
                    static_cast<unsigned>(change.id), std::llround(change.atSeconds * sampleRate), change.atSeconds,
                    change.value);
    }
}

} // namespace

int runRender(const CommandOptions& options) {
    AudioData input;
    int status = 0;
    if (!beginRender(options, input, status)) return status;
    std::string error;
    auto session = HostSession::open(options.bundle, error);
    if (!session) return commandFailure(error);
    PluginInstance& instance = session->instance();

    RenderSettings settings = renderSettingsFor(options, input);
    if (!resolveAssignments(instance, options.assignments, settings.changes, error)) return commandFailure(error);
    if (!instance.prepare(settings.config, error)) return commandFailure(error);

    AudioData output;
    std::vector<ParameterChange> reported;
    const bool rendered =
        renderAudio(instance, input, settings, output, error, options.printOutputChanges ? &reported : nullptr);
    instance.stop();
    if (!rendered) return commandFailure(error);
    printOutputChanges(instance, reported, settings.config.sampleRate);
    return saveRenderOutput(options, output);
}

} // namespace quilhost
