#include "tools/host/AudioFile.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>

namespace quilhost {
namespace {

std::string lowerExtension(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    std::string extension = dot == std::string::npos ? "" : path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

// Container by extension; float samples where the container holds them, else 24-bit.
bool formatFor(const std::string& path, int& format) {
    const std::string extension = lowerExtension(path);
    if (extension == "wav") format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    else if (extension == "aif" || extension == "aiff") format = SF_FORMAT_AIFF | SF_FORMAT_FLOAT;
    else if (extension == "flac") format = SF_FORMAT_FLAC | SF_FORMAT_PCM_24;
    else if (extension == "ogg") format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    else if (extension == "caf") format = SF_FORMAT_CAF | SF_FORMAT_FLOAT;
    else return false;
    return true;
}

} // namespace

bool readAudioFile(const std::string& path, AudioData& audio, std::string& error) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) {
        error = "cannot read '" + path + "': " + sf_strerror(nullptr);
        return false;
    }
    std::vector<float> interleaved(static_cast<std::size_t>(info.frames) * static_cast<std::size_t>(info.channels));
    const sf_count_t frames = sf_readf_float(file, interleaved.data(), info.frames);
    sf_close(file);
    audio.sampleRate = info.samplerate;
    audio.channels.assign(static_cast<std::size_t>(info.channels), std::vector<float>(static_cast<std::size_t>(frames)));
    for (sf_count_t f = 0; f < frames; ++f) {
        for (int c = 0; c < info.channels; ++c)
            audio.channels[static_cast<std::size_t>(c)][static_cast<std::size_t>(f)] =
                interleaved[static_cast<std::size_t>(f * info.channels + c)];
    }
    return true;
}

bool writeAudioFile(const std::string& path, const AudioData& audio, std::string& error) {
    SF_INFO info{};
    info.samplerate = static_cast<int>(audio.sampleRate + 0.5);
    info.channels = audio.channelCount();
    if (!formatFor(path, info.format)) {
        error = "unknown output format for '" + path + "' (use .wav, .flac, .aiff, .caf or .ogg)";
        return false;
    }
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) {
        error = "cannot write '" + path + "': " + sf_strerror(nullptr);
        return false;
    }
    const std::size_t frames = audio.frames();
    std::vector<float> interleaved(frames * audio.channels.size());
    for (std::size_t f = 0; f < frames; ++f) {
        for (std::size_t c = 0; c < audio.channels.size(); ++c) interleaved[f * audio.channels.size() + c] = audio.channels[c][f];
    }
    const sf_count_t written = sf_writef_float(file, interleaved.data(), static_cast<sf_count_t>(frames));
    sf_close(file);
    if (written != static_cast<sf_count_t>(frames)) {
        error = "short write to '" + path + "'";
        return false;
    }
    return true;
}

} // namespace quilhost
