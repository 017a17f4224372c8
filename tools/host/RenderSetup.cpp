#include "tools/host/RenderSetup.h"

#include "tools/host/AudioFile.h"
#include "tools/host/DemoPhrase.h"
#include "tools/host/ParameterAssignments.h"

namespace quilhost {

bool openRenderJob(const CommandOptions& options, RenderJob& job, std::string& error) {
    if (options.input.empty()) job.input = makeDemoPhrase(options.sampleRate, 2);
    else if (!readAudioFile(options.input, job.input, error)) return false;
    job.session = HostSession::open(options.bundle, error);
    if (!job.session) return false;

    RenderSettings& settings = job.settings;
    if (!resolveAssignments(job.session->instance(), options.assignments, settings.changes, error)) return false;
    settings.config.sampleRate = job.input.sampleRate;
    settings.config.maxBlockSize = options.maxBlockSize > 0 ? options.maxBlockSize : options.blockSize;
    settings.config.doublePrecision = options.doublePrecision;
    settings.config.inputChannels = job.input.channelCount();
    settings.config.outputChannels = job.input.channelCount();
    settings.blockSize = options.blockSize;
    settings.tempo = options.tempo;
    settings.tailSeconds = options.tailSeconds;
    return true;
}

} // namespace quilhost
