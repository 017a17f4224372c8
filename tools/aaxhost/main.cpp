// aaxhost: loads an AAX module the way an AAX host does and reports its description, or renders
// audio through it.
#include "tools/aaxhost/AaxInstance.h"
#include "tools/aaxhost/AaxRender.h"
#include "tools/aaxhost/AaxShow.h"
#include "tools/host/AudioFile.h"
#include "tools/host/DemoPhrase.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace aaxhost;

namespace {

void usage(std::FILE* out) {
    std::fprintf(out,
                 "usage: aaxhost info <bundle>\n"
                 "       aaxhost render <bundle> [-i input] -o output [options] [parameters]\n"
                 "       aaxhost show <bundle> [--seconds N] [--screenshot file.png] [--events file]\n"
                 "\n"
                 "<bundle> is a .aaxplugin bundle folder or a module file.\n"
                 "render: without -i, the demo phrase is the input; the component whose input matches\n"
                 "the input's channels is used.\n"
                 "  --rate Hz      sample rate of the demo phrase (default 44100)\n"
                 "  --block N      frames per processed block (default 512)\n"
                 "  --tempo BPM    transport tempo (default 120)\n"
                 "  --tail seconds silence processed after the input (default 2)\n"
                 "  --set Name=text, --norm Name=x, --at seconds: parameters as for quilhost; the name\n"
                 "  Bypass names the host's master bypass\n"
                 "  --expect file  fail unless the output equals this file sample for sample\n"
                 "show: the editor in a window of the host's (Windows: an HWND view container), as\n"
                 "quilhost show; the automation requests it made are printed when it closes.\n");
}

int fail(const std::string& message) {
    std::fprintf(stderr, "aaxhost: %s\n", message.c_str());
    return 1;
}

bool number(const char* text, double low, double high, double& value) {
    char* end = nullptr;
    value = std::strtod(text, &end);
    return end != text && *end == 0 && value >= low && value <= high;
}

int info(AaxModule& module) {
    const CollectionRecord& collection = module.collection();
    std::printf("SDK version: 0x%016llx\n", static_cast<unsigned long long>(module.sdkVersion()));
    for (const std::string& name : collection.manufacturerNames) std::printf("manufacturer: %s\n", name.c_str());
    for (const std::string& name : collection.packageNames) std::printf("package: %s\n", name.c_str());
    std::printf("package version: 0x%08x\n", collection.packageVersion);
    for (const auto& effect : collection.effects) {
        std::printf("effect %s\n", effect.first.c_str());
        for (const std::string& name : effect.second.names) std::printf("  name: %s\n", name.c_str());
        for (uint32_t category : effect.second.categories) std::printf("  category: 0x%08x\n", category);
        for (const ComponentRecord& component : effect.second.components) {
            std::printf("  component: in 0x%08x out 0x%08x, context of %d fields\n",
                        static_cast<uint32_t>(component.property(aax::AAX_eProperty_InputStemFormat)),
                        static_cast<uint32_t>(component.property(aax::AAX_eProperty_OutputStemFormat)),
                        component.contextSize());
        }
    }
    return 0;
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
    std::string input;
    std::string output;
    std::string expected;
    double rate = 44100.0;
    double at = 0.0;
    AaxRenderSettings settings;
    settings.tailSeconds = 2.0;
    std::vector<quilhost::ParameterAssignment> assignments;
    quilhost::CommandOptions show;
    for (int i = 3; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc) return fail("missing value for " + option);
        const char* value = argv[++i];
        double n = 0.0;
        if (option == "-i") input = value;
        else if (option == "--seconds" && number(value, 0.0, 3600.0, n)) show.showSeconds = n;
        else if (option == "--screenshot") show.screenshot = value;
        else if (option == "--events") show.eventsFile = value;
        else if (option == "-o") output = value;
        else if (option == "--expect") expected = value;
        else if (option == "--rate" && number(value, 1000.0, 768000.0, n)) rate = n;
        else if (option == "--block" && number(value, 1, 1 << 20, n)) settings.blockSize = static_cast<int>(n);
        else if (option == "--tempo" && number(value, 1.0, 999.0, n)) settings.tempo = n;
        else if (option == "--tail" && number(value, 0.0, 600.0, n)) settings.tailSeconds = n;
        else if (option == "--at" && number(value, 0.0, 3600.0, n)) at = n;
        else if (option == "--set" || option == "--norm") {
            const char* equals = std::strrchr(value, '=');
            if (!equals || equals == value) return fail("expected Name=value for " + option);
            assignments.push_back({std::string(value, equals), equals + 1, option == "--norm", at});
        } else {
            return fail("bad option or value: " + option + " " + value);
        }
    }

    std::string error;
    auto module = AaxModule::open(argv[2], error);
    if (!module) return fail(error);
    if (command == "info") return info(*module);
    if (command == "show") return showEditorWindow(*module, show);
    if (command != "render") {
        usage(stderr);
        return 2;
    }
    if (output.empty()) return fail("render needs an output file (-o)");
    quilhost::AudioData audio;
    if (input.empty()) audio = quilhost::makeDemoPhrase(rate, 2);
    else if (!quilhost::readAudioFile(input, audio, error)) return fail(error);

    const EffectRecord* effect = module->effect();
    int component = effect ? static_cast<int>(effect->components.size()) - 1 : -1;
    for (int k = 0; effect && k < static_cast<int>(effect->components.size()); ++k) {
        if (aax::stemChannelCount(static_cast<uint32_t>(effect->components[static_cast<std::size_t>(k)].property(
                aax::AAX_eProperty_InputStemFormat))) == audio.channelCount())
            component = k;
    }
    auto instance = AaxInstance::create(*module, component, static_cast<float>(audio.sampleRate), error);
    if (!instance) return fail(error);
    quilhost::AudioData rendered;
    if (!resolveAaxAssignments(*instance, assignments, settings.changes, error) ||
        !renderThrough(*instance, audio, settings, rendered, error))
        return fail(error);
    instance->teardown();
    if (!quilhost::writeAudioFile(output, rendered, error)) return fail(error);
    std::printf("rendered %s: %zu frames, %d channels at %.0f Hz\n", output.c_str(), rendered.frames(),
                rendered.channelCount(), rendered.sampleRate);
    if (expected.empty()) return 0;
    quilhost::AudioData reference;
    if (!quilhost::readAudioFile(expected, reference, error)) return fail(error);
    if (reference.sampleRate != rendered.sampleRate || reference.channels != rendered.channels)
        return fail("the output differs from " + expected);
    std::printf("equal to %s, sample for sample\n", expected.c_str());
    return 0;
}
