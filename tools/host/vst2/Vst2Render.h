#pragma once
// Runs audio through a prepared VST2 effect block by block, as a host's audio engine does:
// parameter changes sent with setParameter before the block they fall in, time information for
// every block (a playing 4/4 transport at the render's tempo), processReplacing or
// processDoubleReplacing.

#include "tools/host/AudioData.h"
#include "tools/host/BlockProcessor.h"
#include "tools/host/vst2/Vst2Plugin.h"

#include <string>

namespace quilhost {

// `settings.changes` carry parameter indices as their ids. The output has the effect's output
// channel count. False with `error` set when a change lies beyond the end.
bool renderVst2(Vst2Plugin& plugin, const AudioData& input, const RenderSettings& settings, AudioData& output,
                std::string& error);

// The time information for the block starting at sample `position`.
void setTransport(vst2::VstTimeInfo& time, double sampleRate, double tempo, long long position);

} // namespace quilhost
