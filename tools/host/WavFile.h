#pragma once
// A plain RIFF/WAVE reader and writer. Reads integer PCM of 8, 16, 24 and 32 bits and IEEE float
// of 32 and 64 bits (also in the extensible format); writes 32-bit float.

#include "tools/host/AudioData.h"

#include <string>

namespace quilhost {

bool readWav(const std::string& path, AudioData& audio, std::string& error);
bool writeWav(const std::string& path, const AudioData& audio, std::string& error);

} // namespace quilhost
