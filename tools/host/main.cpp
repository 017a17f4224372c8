// quilhost: loads a plug-in module the way hosts do and reports on it, renders audio through it or
// round-trips its state, or shows its editor.
#include "tools/host/Commands.h"
#include "tools/host/vst2/Vst2Commands.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace quilhost;

namespace {

void usage(std::FILE* out) {
    std::fprintf(out,
                 "usage: quilhost info <bundle>\n"
                 "       quilhost render <bundle> [-i input] -o output [options] [parameters]\n"
                 "       quilhost state <bundle> [--save file | --load file] [parameters]\n"
                 "       quilhost show <bundle> [--seconds N] [--screenshot file.png] [--events file] [parameters]\n"
                 "       quilhost bench <bundle> [render options] [parameters]   (times the processing calls only)\n"
                 "       quilhost compare <audio file> <audio file>\n"
                 "\n"
                 "<bundle> is a .vst3 bundle folder or module file, or a VST2 library (.dll, .so).\n"
                 "state: a VST3 state stream, or for a VST2 library a .fxp program file.\n"
                 "compare: exit status 0 when both files hold the same samples, bit for bit.\n"
                 "render: without -i, a demo phrase of plucked notes is the input.\n"
                 "  --rate Hz         sample rate of the demo phrase (default 44100; files keep theirs)\n"
                 "  --block N         frames per processed block (default 512)\n"
                 "  --max-block N     maximum block size announced to the plug-in (default: --block)\n"
                 "  --tempo BPM       transport tempo (default 120)\n"
                 "  --tail seconds    silence processed after the input (default 2)\n"
                 "  --double          process 64-bit samples\n"
                 "  --print-output-changes  list the parameter changes the plug-in reports\n"
                 "show: the editor in a window of its own until it is closed.\n"
                 "  --seconds N       close the window N seconds after the editor first painted\n"
                 "  --screenshot f    write the window's pixels as PNG after the first paint (after the events, with --events)\n"
                 "  --events f        play input from f: lines of '<ms> <kind> <x> <y> [<arg>]'; kinds move, down, up,\n"
                 "                    rdown, rup, dblclick, wheel <notches>, key <char|Return|Escape|...>; modifiers\n"
                 "                    shift, ctrl, alt joined by '+' after a mouse event. Without --seconds, the\n"
                 "                    window closes once the script and screenshot are done.\n"
                 "parameters (by title, any letter case; repeatable):\n"
                 "  --set Title=value   a value as the plug-in shows it (number in its units or list entry)\n"
                 "  --norm Title=x      a normalised value from 0 to 1\n"
                 "  --at seconds        later --set and --norm are sent at that moment of the render (default 0)\n");
}

bool parseNumber(const char* text, double low, double high, double& value) {
    char* end = nullptr;
    value = std::strtod(text, &end);
    return end != text && *end == 0 && value >= low && value <= high;
}

bool parseAssignment(const char* text, bool normalized, ParameterAssignment& assignment) {
    const char* equals = std::strrchr(text, '=');
    if (!equals || equals == text) return false;
    assignment.title.assign(text, equals);
    assignment.value = equals + 1;
    assignment.normalized = normalized;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && (std::strcmp(argv[1], "help") == 0 || std::strcmp(argv[1], "--help") == 0)) {
        usage(stdout);
        return 0;
    }
    if (argc < 3) {
        usage(stderr);
        return 2;
    }
    const std::string command = argv[1];
    if (command == "compare") {
        if (argc != 4) {
            usage(stderr);
            return 2;
        }
        return runCompare(argv[2], argv[3]);
    }
    CommandOptions options;
    options.bundle = argv[2];
    double assignmentSeconds = 0.0;
    for (int i = 3; i < argc; ++i) {
        const std::string option = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        auto bad = [&](const char* what) {
            std::fprintf(stderr, "quilhost: %s for %s\n", what, option.c_str());
            return 2;
        };
        double number = 0.0;
        if (option == "--double") {
            options.doublePrecision = true;
            continue;
        }
        if (option == "--print-output-changes") {
            options.printOutputChanges = true;
            continue;
        }
        if (!value) return bad("missing value");
        ++i;
        if (option == "-i") options.input = value;
        else if (option == "-o") options.output = value;
        else if (option == "--save") options.saveState = value;
        else if (option == "--load") options.loadState = value;
        else if (option == "--screenshot") options.screenshot = value;
        else if (option == "--events") options.eventsFile = value;
        else if (option == "--seconds") {
            if (!parseNumber(value, 0.0, 86400.0, options.showSeconds)) return bad("bad number of seconds");
        }
        else if (option == "--rate") {
            if (!parseNumber(value, 1000.0, 768000.0, options.sampleRate)) return bad("bad sample rate");
        } else if (option == "--block" || option == "--max-block") {
            if (!parseNumber(value, 1, 1 << 20, number) || number != static_cast<int>(number)) return bad("bad block size");
            (option == "--block" ? options.blockSize : options.maxBlockSize) = static_cast<int>(number);
        } else if (option == "--tempo") {
            if (!parseNumber(value, 1.0, 999.0, options.tempo)) return bad("bad tempo");
        } else if (option == "--tail") {
            if (!parseNumber(value, 0.0, 600.0, options.tailSeconds)) return bad("bad tail length");
        } else if (option == "--at") {
            if (!parseNumber(value, 0.0, 3600.0, assignmentSeconds)) return bad("bad time");
        } else if (option == "--set" || option == "--norm") {
            ParameterAssignment assignment;
            if (!parseAssignment(value, option == "--norm", assignment)) return bad("expected Title=value");
            assignment.atSeconds = assignmentSeconds;
            options.assignments.push_back(assignment);
        } else {
            std::fprintf(stderr, "quilhost: unknown option %s\n", option.c_str());
            return 2;
        }
    }
    // The format is the file's: a library exporting a VST2 entry point and no VST3 factory is VST2.
    const bool vst2 = isVst2Library(options.bundle);
    if (command == "info") return vst2 ? runVst2Info(options) : runInfo(options);
    if (command == "render") return vst2 ? runVst2Render(options) : runRender(options);
    if (command == "state") return vst2 ? runVst2State(options) : runState(options);
    if (command == "bench") return runBench(options);
    if (command == "show") return vst2 ? runVst2Show(options) : runShow(options);
    std::fprintf(stderr, "quilhost: unknown command '%s'\n", command.c_str());
    usage(stderr);
    return 2;
}
