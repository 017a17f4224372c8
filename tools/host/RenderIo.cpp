#include "tools/host/RenderIo.h"

#include "tools/host/AudioFile.h"
#include "tools/host/DemoPhrase.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quilhost {

int commandFailure(const std::string& message) {
    std::fprintf(stderr, "quilhost: %s\n", message.c_str());
    return 1;
}

bool loadRenderInput(const CommandOptions& options, AudioData& input, std::string& error) {
    if (!options.input.empty()) return readAudioFile(options.input, input, error);
    input = makeDemoPhrase(options.sampleRate, 2);
    return true;
}

bool beginRender(const CommandOptions& options, AudioData& input, int& status) {
    if (options.output.empty()) {
        std::fprintf(stderr, "quilhost: render needs an output file (-o)\n");
        status = 2;
        return false;
    }
    std::string error;
    if (loadRenderInput(options, input, error)) return true;
    status = commandFailure(error);
    return false;
}

RenderSettings renderSettingsFor(const CommandOptions& options, const AudioData& input) {
    RenderSettings settings;
    settings.config.sampleRate = input.sampleRate;
    settings.config.maxBlockSize = options.maxBlockSize > 0 ? options.maxBlockSize : options.blockSize;
    settings.config.doublePrecision = options.doublePrecision;
    settings.config.inputChannels = input.channelCount();
    settings.config.outputChannels = input.channelCount();
    settings.blockSize = options.blockSize;
    settings.tempo = options.tempo;
    settings.tailSeconds = options.tailSeconds;
    return settings;
}

int saveRenderOutput(const CommandOptions& options, const AudioData& output) {
    std::string error;
    if (!writeAudioFile(options.output, output, error)) return commandFailure(error);
    std::printf("rendered %s: %zu frames, %d channel%s at %.0f Hz, peak %.4f (%.1f dBFS)\n", options.output.c_str(),
                output.frames(), output.channelCount(), output.channelCount() == 1 ? "" : "s", output.sampleRate,
                output.peak(), 20.0 * std::log10(std::max(output.peak(), 1e-12f)));
    return 0;
}

} // namespace quilhost
