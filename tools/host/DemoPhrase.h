#pragma once
// The demo phrase rendered when no input file is given: a few seconds of plucked-string notes,
// synthesised here so nothing has to be shipped or downloaded.

#include "tools/host/AudioData.h"

namespace quilhost {

// A short phrase of plucked notes at `sampleRate`, the same in every channel, followed by
// silence so that echoes can be heard. Always the same samples for the same arguments.
AudioData makeDemoPhrase(double sampleRate, int channels);

} // namespace quilhost
