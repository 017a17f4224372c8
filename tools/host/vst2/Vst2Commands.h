#pragma once
// The host's subcommands for VST2 libraries; same options and exit statuses as for VST3 bundles.

#include "tools/host/Commands.h"
#include "tools/host/ParameterAssignments.h"
#include "tools/host/vst2/Vst2Library.h"
#include "tools/host/vst2/Vst2Plugin.h"

namespace quilhost {

int runVst2Info(const CommandOptions& options);
int runVst2Render(const CommandOptions& options);
int runVst2State(const CommandOptions& options);
int runVst2Show(const CommandOptions& options);

// The library and one opened effect of it; the effect closes before the library unloads.
struct Vst2Session {
    std::unique_ptr<Vst2Library> library;
    std::unique_ptr<Vst2Plugin> plugin;

    bool open(const std::string& path, std::string& error);
    ~Vst2Session() { plugin.reset(); }
};

// Command-line assignments as setParameter values (the changes' ids are parameter indices). Value
// texts are read by a scratch instance of the library, so the effect being set up is not touched.
bool resolveVst2Assignments(const Vst2Library& library, const std::vector<ParameterAssignment>& assignments,
                            std::vector<ParameterChange>& changes, std::string& error);
// The assignments resolved as above and sent to the session's effect through setParameter.
bool setVst2Assignments(const Vst2Session& session, const std::vector<ParameterAssignment>& assignments,
                        std::string& error);

} // namespace quilhost
