#pragma once
// What `render` and `bench` share: the input they process, the loaded plug-in and the settings the
// command line gives.

#include "tools/host/AudioData.h"
#include "tools/host/BlockProcessor.h"
#include "tools/host/Commands.h"
#include "tools/host/HostSession.h"

#include <memory>
#include <string>

namespace quilhost {

struct RenderJob {
    AudioData input;                       // the file given with -i, or the demo phrase at --rate
    std::unique_ptr<HostSession> session;  // the plug-in, loaded
    RenderSettings settings;               // rate, blocks, precision, channels, tempo, tail, parameter changes
};

// False with `error` set when the input cannot be read, the plug-in not loaded or a parameter
// assignment not resolved. The instance is not prepared yet.
bool openRenderJob(const CommandOptions& options, RenderJob& job, std::string& error);

} // namespace quilhost
