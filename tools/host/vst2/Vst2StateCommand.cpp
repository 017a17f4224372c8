// `state` for a VST2 library: the effect's state as VST2 hosts keep it for an effect without
// program chunks — every parameter through getParameter, restored with setParameter into a fresh
// instance and checked; or saved to / loaded from a program file (.fxp).
#include "tools/host/RenderIo.h"
#include "tools/host/vst2/FxpProgram.h"
#include "tools/host/vst2/Vst2Commands.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>

using namespace vst2;

namespace quilhost {
namespace {

std::vector<float> parameterValues(const Vst2Plugin& plugin) {
    AEffect* effect = plugin.effect();
    std::vector<float> values;
    for (int i = 0; i < effect->numParams; ++i) values.push_back(effect->getParameter(effect, i));
    return values;
}

bool readProgram(const std::string& path, const AEffect* effect, FxpProgram& program, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot read '" + path + "'";
        return false;
    }
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (!readFxp(bytes, program, error)) return false;
    if (program.uniqueId != effect->uniqueID || static_cast<int>(program.values.size()) != effect->numParams) {
        error = "'" + path + "' holds a program of another effect";
        return false;
    }
    return true;
}

bool writeProgram(const std::string& path, const FxpProgram& program) {
    const std::vector<std::uint8_t> bytes = writeFxp(program);
    std::ofstream file(path, std::ios::binary);
    return file && file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

int runVst2State(const CommandOptions& options) {
    std::string error;
    Vst2Session session;
    if (!session.open(options.bundle, error)) return commandFailure(error);
    Vst2Plugin& source = *session.plugin;
    AEffect* effect = source.effect();
    if (!setVst2Assignments(session, options.assignments, error)) return commandFailure(error);

    FxpProgram program{effect->uniqueID, effect->version, source.text(effGetProgramName), parameterValues(source)};
    if (!options.loadState.empty() && !readProgram(options.loadState, effect, program, error))
        return commandFailure(error);
    std::printf("state: %zu parameters through getParameter\n", program.values.size());
    if (!options.saveState.empty()) {
        if (!writeProgram(options.saveState, program)) return commandFailure("cannot write '" + options.saveState + "'");
        std::printf("saved to %s\n", options.saveState.c_str());
    }

    auto target = Vst2Plugin::create(session.library->entry(), error);
    if (!target) return commandFailure(error);
    AEffect* restored = target->effect();
    for (std::size_t i = 0; i < program.values.size(); ++i)
        restored->setParameter(restored, static_cast<VstInt32>(i), program.values[i]);

    int mismatches = 0;
    for (std::size_t i = 0; i < program.values.size(); ++i) {
        const auto index = static_cast<VstInt32>(i);
        const bool same = std::fabs(restored->getParameter(restored, index) - program.values[i]) < 1e-6f;
        if (options.loadState.empty() && !same) ++mismatches;
        if (!same || !options.loadState.empty())
            std::printf("  %-20s %-12s %s\n", target->parameters()[i].title.c_str(), target->displayText(index).c_str(),
                        options.loadState.empty() ? ("(saved " + source.displayText(index) + ")").c_str() : "");
    }
    if (options.loadState.empty())
        std::printf("round trip: %zu parameters, %d differ\n", program.values.size(), mismatches);
    return mismatches == 0 ? 0 : 1;
}

} // namespace quilhost
