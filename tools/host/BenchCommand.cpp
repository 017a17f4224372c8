// `bench`: the cost of a plug-in's processing. Renders like `render` (the same input, rate, block
// size, tempo and parameters, in real-time mode) but writes nothing and times only the processing
// calls: time per frame, the real-time factor and the share of one core an instance takes.
#include "tools/host/BlockProcessor.h"
#include "tools/host/Commands.h"
#include "tools/host/HostSession.h"
#include "tools/host/ProcessTiming.h"
#include "tools/host/RenderSetup.h"

#include <algorithm>
#include <cstdio>

namespace quilhost {
namespace {

int fail(const std::string& message) {
    std::fprintf(stderr, "quilhost: %s\n", message.c_str());
    return 1;
}

} // namespace

int runBench(const CommandOptions& options) {
    std::string error;
    RenderJob job;
    if (!openRenderJob(options, job, error)) return fail(error);
    const AudioData& input = job.input;
    PluginInstance& instance = job.session->instance();
    RenderSettings& settings = job.settings;
    settings.config.offline = false;
    ProcessTiming timing;
    const std::size_t calls = static_cast<std::size_t>(
        (input.frames() + options.tailSeconds * input.sampleRate) / std::max(1, options.blockSize) + 2);
    timing.seconds.reserve(calls);
    timing.frames.reserve(calls);
    settings.timing = &timing;
    if (!instance.prepare(settings.config, error)) return fail(error);

    AudioData output;
    const bool rendered = renderAudio(instance, input, settings, output, error);
    instance.stop();
    if (!rendered) return fail(error);
    const double frames = static_cast<double>(output.frames());
    const double perFrame = timing.medianSecondsPerFrame();
    if (frames <= 0.0 || perFrame <= 0.0) return fail("nothing was processed long enough to time");
    std::printf("bench %s: %.0f frames (%.1f s) at %.0f Hz in blocks of %d, %zu processing calls\n",
                options.bundle.c_str(), frames, frames / input.sampleRate, input.sampleRate, options.blockSize,
                timing.seconds.size());
    std::printf("  mean over all calls %.2f ns per frame (includes calls the scheduler interrupted)\n",
                timing.meanSecondsPerFrame() * 1e9);
    std::printf("  real-time factor %.0fx; one instance takes %.3f %% of a core at this rate\n",
                1.0 / (perFrame * input.sampleRate), 100.0 * perFrame * input.sampleRate);
    std::printf("  ns per frame: %.2f (median call)\n", perFrame * 1e9);
    return 0;
}

} // namespace quilhost
