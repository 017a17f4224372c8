// waveplot -o <picture.png> [--width pixels] <label>=<sound file>...
// Draws each sound's waveform in its own labelled row, top to bottom in the order given.
#include "tools/host/AudioFile.h"
#include "tools/waveplot/WavePlot.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int usage() {
    std::fprintf(stderr, "usage: waveplot -o <picture.png> [--width pixels] <label>=<sound file>...\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::string output;
    int width = 1200;
    std::vector<waveplot::Sound> sounds;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "-o" || argument == "--width") {
            if (i + 1 >= argc) return usage();
            const char* value = argv[++i];
            if (argument == "-o") {
                output = value;
                continue;
            }
            char* end = nullptr;
            const long pixels = std::strtol(value, &end, 10);
            if (*end != 0 || pixels < 200 || pixels > 8000) {
                std::fprintf(stderr, "waveplot: width must be 200 to 8000 pixels, not '%s'\n", value);
                return 2;
            }
            width = static_cast<int>(pixels);
            continue;
        }
        const std::size_t equals = argument.find('=');
        if (equals == std::string::npos || equals == 0) return usage();
        waveplot::Sound sound;
        std::string error;
        if (!quilhost::readAudioFile(argument.substr(equals + 1), sound.audio, error)) {
            std::fprintf(stderr, "waveplot: %s\n", error.c_str());
            return 1;
        }
        sound.label = argument.substr(0, equals);
        sounds.push_back(std::move(sound));
    }
    if (output.empty() || sounds.empty()) return usage();
    std::string error;
    if (!waveplot::plotSounds(sounds, width, output, error)) {
        std::fprintf(stderr, "waveplot: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
