#pragma once
// The ends of every format's `render`: the input (a file or the demo phrase), the render settings
// from the command line, and the output file with its summary line.

#include "tools/host/AudioData.h"
#include "tools/host/BlockProcessor.h"
#include "tools/host/Commands.h"

#include <string>

namespace quilhost {

// Prints the message and gives the exit status of a command the plug-in or a file let down.
int commandFailure(const std::string& message);

// The file given with -i, or the demo phrase at --rate; false with `error` set when it cannot be read.
bool loadRenderInput(const CommandOptions& options, AudioData& input, std::string& error);
// The output file checked and the input loaded; false, with the command's exit status in `status`
// and the reason printed, when the command cannot go on.
bool beginRender(const CommandOptions& options, AudioData& input, int& status);
// Everything but the parameter changes, for rendering `input`.
RenderSettings renderSettingsFor(const CommandOptions& options, const AudioData& input);
// Writes the output and prints what was rendered; the command's exit status.
int saveRenderOutput(const CommandOptions& options, const AudioData& output);

} // namespace quilhost
