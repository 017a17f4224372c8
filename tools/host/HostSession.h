#pragma once
// A loaded module with a host context and one plug-in instance: what every subcommand starts
// from. Tears down in the order hosts do: instance, context, module.

#include "tools/host/HostObjects.h"
#include "tools/host/ModuleLoader.h"
#include "tools/host/PluginInstance.h"

#include <memory>
#include <string>

namespace quilhost {

class HostSession {
public:
    // Null, with `error` set, when the module does not load or offers no usable instance.
    static std::unique_ptr<HostSession> open(const std::string& bundle, std::string& error);
    ~HostSession();

    Vst3Module& module() { return *mModule; }
    PluginInstance& instance() { return *mInstance; }
    // A second instance from the same factory (for state transfer).
    std::unique_ptr<PluginInstance> createInstance(std::string& error);

private:
    HostSession() = default;

    std::unique_ptr<Vst3Module> mModule;
    HostApplication* mContext = nullptr;
    std::unique_ptr<PluginInstance> mInstance;
};

} // namespace quilhost
