// `render` for a VST2 library: an input file (or the demo phrase) through the effect into a file.
#include "tools/host/RenderIo.h"
#include "tools/host/vst2/Vst2Commands.h"
#include "tools/host/vst2/Vst2Render.h"

namespace quilhost {

int runVst2Render(const CommandOptions& options) {
    AudioData input;
    int status = 0;
    if (!beginRender(options, input, status)) return status;
    std::string error;
    Vst2Session session;
    if (!session.open(options.bundle, error)) return commandFailure(error);
    Vst2Plugin& plugin = *session.plugin;

    RenderSettings settings = renderSettingsFor(options, input);
    if (!resolveVst2Assignments(*session.library, options.assignments, settings.changes, error)) return commandFailure(error);
    plugin.prepare(settings.config.sampleRate, settings.config.maxBlockSize, settings.config.offline);

    AudioData output;
    const bool rendered = renderVst2(plugin, input, settings, output, error);
    plugin.stop();
    if (!rendered) return commandFailure(error);
    return saveRenderOutput(options, output);
}

} // namespace quilhost
