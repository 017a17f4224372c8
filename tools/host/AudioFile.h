#pragma once
// Reading and writing audio files: through libsndfile on Linux (WAV, FLAC, AIFF, Ogg and more,
// chosen by the file name's extension), through the built-in WAV code on Windows.

#include "tools/host/AudioData.h"

#include <string>

namespace quilhost {

bool readAudioFile(const std::string& path, AudioData& audio, std::string& error);
bool writeAudioFile(const std::string& path, const AudioData& audio, std::string& error);

} // namespace quilhost
