// Windows builds carry no libsndfile: WAV only.
#include "tools/host/AudioFile.h"
#include "tools/host/WavFile.h"

namespace quilhost {

bool readAudioFile(const std::string& path, AudioData& audio, std::string& error) { return readWav(path, audio, error); }

bool writeAudioFile(const std::string& path, const AudioData& audio, std::string& error) {
    return writeWav(path, audio, error);
}

} // namespace quilhost
