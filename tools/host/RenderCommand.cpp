// `render`: an input file (or the demo phrase) through the plug-in into an output file.
#include "tools/host/AudioFile.h"
#include "tools/host/BlockProcessor.h"
#include "tools/host/Commands.h"
#include "tools/host/HostSession.h"
#include "tools/host/ParameterAssignments.h"
#include "tools/host/RenderSetup.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quilhost {
namespace {

int fail(const std::string& message) {
    std::fprintf(stderr, "quilhost: %s\n", message.c_str());
    return 1;
}

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
    if (options.output.empty()) {
        std::fprintf(stderr, "quilhost: render needs an output file (-o)\n");
        return 2;
    }
    std::string error;
    RenderJob job;
    if (!openRenderJob(options, job, error)) return fail(error);
    const AudioData& input = job.input;
    PluginInstance& instance = job.session->instance();
    RenderSettings& settings = job.settings;
    if (!instance.prepare(settings.config, error)) return fail(error);

    AudioData output;
    std::vector<ParameterChange> reported;
    const bool rendered =
        renderAudio(instance, input, settings, output, error, options.printOutputChanges ? &reported : nullptr);
    instance.stop();
    if (!rendered) return fail(error);
    printOutputChanges(instance, reported, settings.config.sampleRate);
    if (!writeAudioFile(options.output, output, error)) return fail(error);
    std::printf("rendered %s: %zu frames, %d channel%s at %.0f Hz, peak %.4f (%.1f dBFS)\n", options.output.c_str(),
                output.frames(), output.channelCount(), output.channelCount() == 1 ? "" : "s", output.sampleRate,
                output.peak(), 20.0 * std::log10(std::max(output.peak(), 1e-12f)));
    return 0;
}

} // namespace quilhost
