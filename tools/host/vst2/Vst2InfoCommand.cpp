// `info` for a VST2 library: what a host learns when it scans it: the effect record, the names and
// versions the dispatcher gives, the pins, parameters and programs.
#include "tools/host/vst2/Vst2Commands.h"

#include <cstdio>

using namespace vst2;

namespace quilhost {
namespace {

std::string fourCharacters(VstInt32 code) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((static_cast<unsigned>(code) >> shift) & 0xFF);
        text += c >= 32 && c < 127 ? c : '?';
    }
    return text;
}

std::string flagsText(VstInt32 flags) {
    static const struct {
        VstInt32 bit;
        const char* name;
    } names[] = {{effFlagsHasEditor, "editor"},         {effFlagsCanMono, "mono"},
                 {effFlagsCanReplacing, "replacing"},   {effFlagsProgramChunks, "chunks"},
                 {effFlagsIsSynth, "synth"},            {effFlagsCanDoubleReplacing, "double"}};
    std::string text;
    for (const auto& n : names) {
        if (flags & n.bit) text += (text.empty() ? "" : ",") + std::string(n.name);
    }
    return text.empty() ? "-" : text;
}

void printPins(const Vst2Plugin& plugin, bool inputs) {
    const AEffect* effect = plugin.effect();
    const int count = inputs ? effect->numInputs : effect->numOutputs;
    for (int i = 0; i < count; ++i) {
        VstPinProperties pin{};
        if (!plugin.dispatch(inputs ? effGetInputProperties : effGetOutputProperties, i, 0, &pin)) continue;
        std::printf("  %s %d: \"%s\" flags 0x%X\n", inputs ? "input " : "output", i,
                    std::string(pin.label, strnlen(pin.label, sizeof pin.label)).c_str(), static_cast<unsigned>(pin.flags));
    }
}

} // namespace

int runVst2Info(const CommandOptions& options) {
    std::string error;
    Vst2Session session;
    if (!session.open(options.bundle, error)) {
        std::fprintf(stderr, "quilhost: %s\n", error.c_str());
        return 1;
    }
    const Vst2Plugin& plugin = *session.plugin;
    const AEffect* effect = plugin.effect();
    std::printf("library: %s (VST2)\n", options.bundle.c_str());
    std::printf("effect: \"%s\" vendor \"%s\" product \"%s\" vendor version %d\n",
                plugin.text(effGetEffectName).c_str(), plugin.text(effGetVendorString).c_str(),
                plugin.text(effGetProductString).c_str(), static_cast<int>(plugin.dispatch(effGetVendorVersion)));
    std::printf("record: unique ID '%s' version %d flags 0x%X (%s) initial delay %d\n",
                fourCharacters(effect->uniqueID).c_str(), effect->version, static_cast<unsigned>(effect->flags),
                flagsText(effect->flags).c_str(), effect->initialDelay);
    std::printf("category %d, VST version %d, tail %d samples\n", static_cast<int>(plugin.dispatch(effGetPlugCategory)),
                static_cast<int>(plugin.dispatch(effGetVstVersion)), static_cast<int>(plugin.dispatch(effGetTailSize)));
    std::printf("pins: %d in, %d out\n", effect->numInputs, effect->numOutputs);
    printPins(plugin, true);
    printPins(plugin, false);
    const auto parameters = plugin.parameters();
    std::printf("parameters: %zu\n", parameters.size());
    std::printf("  %-5s %-20s %-6s %8s %s\n", "index", "title", "units", "value", "(text)");
    for (const Vst2Parameter& parameter : parameters) {
        std::printf("  %-5d %-20s %-6s %8.4f %s\n", parameter.index, parameter.title.c_str(), parameter.units.c_str(),
                    effect->getParameter(const_cast<AEffect*>(effect), parameter.index),
                    plugin.text(effGetParamDisplay, parameter.index).c_str());
    }
    std::printf("programs: %d\n", effect->numPrograms);
    for (int p = 0; p < effect->numPrograms; ++p)
        std::printf("  program %d: \"%s\"\n", p, plugin.text(effGetProgramNameIndexed, p).c_str());
    return 0;
}

} // namespace quilhost
