// Windows builds carry no libsndfile: WAV only.
#include "tools/vst3host/AudioFile.h"
#include "tools/vst3host/WavFile.h"

namespace vst3host {

bool readAudioFile(const std::string& path, AudioData& audio, std::string& error) { return readWav(path, audio, error); }

bool writeAudioFile(const std::string& path, const AudioData& audio, std::string& error) {
    return writeWav(path, audio, error);
}

} // namespace vst3host
