// `render`: an input file (or the demo phrase) through the plug-in into an output file.
#include "tools/host/BlockProcessor.h"
#include "tools/host/Commands.h"
#include "tools/host/HostSession.h"
#include "tools/host/ParameterAssignments.h"
#include "tools/host/RenderIo.h"


namespace quilhost {

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
    const bool rendered = renderAudio(instance, input, settings, output, error);
    instance.stop();
    if (!rendered) return commandFailure(error);
    return saveRenderOutput(options, output);
}

} // namespace quilhost
