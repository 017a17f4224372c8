#pragma once
// The host's subcommands. Each returns the process exit status: 0 on success, 1 when the plug-in
// or a file let it down, 2 for a command line it cannot use.

#include <string>
#include <vector>

namespace quilhost {

// A parameter assignment from the command line: by title, as a value text or a normalised value.
struct ParameterAssignment {
    std::string title;
    std::string value;
    bool normalized = false;
    double atSeconds = 0.0;  // when the host sends it, from the start of the render
};

struct CommandOptions {
    std::string bundle;
    std::string input;
    std::string output;
    std::string saveState;
    std::string loadState;
    double sampleRate = 44100.0;
    int blockSize = 512;
    int maxBlockSize = 0;  // 0: the block size
    double tempo = 120.0;
    double tailSeconds = 2.0;
    bool doublePrecision = false;
    bool printOutputChanges = false;  // render: list the plug-in's output parameter changes
    std::vector<ParameterAssignment> assignments;
    // show
    double showSeconds = -1.0;  // negative: until the window is closed (or the script is done)
    std::string screenshot;
    std::string eventsFile;
};

int runInfo(const CommandOptions& options);
int runRender(const CommandOptions& options);
int runBench(const CommandOptions& options);
int runState(const CommandOptions& options);
int runShow(const CommandOptions& options);
// 0 when both files hold the same samples, bit for bit.
int runCompare(const std::string& first, const std::string& second);

} // namespace quilhost
