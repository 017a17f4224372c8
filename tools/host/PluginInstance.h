#pragma once
// One plug-in instance driven the way hosts drive it: created from the factory, initialised with
// the host context, its controller found (on the component itself, or created from its
// controller class and connected), buses negotiated, processing set up and activated, state
// saved and restored, and finally deactivated, terminated and released.

#include "adapters/vst3/api/AudioProcessor.h"
#include "adapters/vst3/api/Component.h"
#include "adapters/vst3/api/EditController.h"
#include "adapters/vst3/api/PluginFactory.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quilhost {

class ComponentHandler;

struct ParameterEntry {
    vst3::ParameterInfo info;
    std::string title;
    std::string units;
};

struct ProcessingConfig {
    double sampleRate = 44100.0;
    int maxBlockSize = 512;
    bool doublePrecision = false;
    bool offline = true;
    int inputChannels = 2;
    int outputChannels = 2;
};

class PluginInstance {
public:
    // Instantiates the first class of category "Audio Module Class".
    static std::unique_ptr<PluginInstance> create(vst3::IPluginFactory* factory, vst3::FUnknown* hostContext,
                                                  std::string& error);
    ~PluginInstance();

    PluginInstance(const PluginInstance&) = delete;
    PluginInstance& operator=(const PluginInstance&) = delete;

    const vst3::PClassInfo& classInfo() const { return mClassInfo; }
    vst3::IComponent* component() const { return mComponent; }
    vst3::IAudioProcessor* processor() const { return mProcessor; }
    vst3::IEditController* controller() const { return mController; }
    const ComponentHandler& handler() const { return *mHandler; }

    std::vector<ParameterEntry> parameters() const;
    // Finds a parameter by its title, ignoring letter case.
    bool findParameter(const std::string& title, vst3::ParameterInfo& info) const;
    // A value text (a plain number in the parameter's units, or a list entry) as the parameter's
    // normalised value; refuses texts the plug-in does not accept and numbers outside the range.
    bool parseValue(const vst3::ParameterInfo& info, const std::string& text, vst3::ParamValue& normalized,
                    std::string& error) const;
    std::string valueText(vst3::ParamID id, vst3::ParamValue normalized) const;

    // Negotiates the main buses for the requested channel counts (falling back to what the
    // plug-in offers when it refuses; `config` then holds the counts in use), sets up
    // processing and activates. False, with `error` set, when the plug-in refuses the setup.
    bool prepare(ProcessingConfig& config, std::string& error);
    void stop();

    bool saveState(std::vector<std::uint8_t>& componentState, std::vector<std::uint8_t>& controllerState,
                   std::string& error);
    bool loadState(const std::vector<std::uint8_t>& componentState,
                   const std::vector<std::uint8_t>& controllerState, std::string& error);

private:
    PluginInstance() = default;
    bool connectController(vst3::IPluginFactory* factory, vst3::FUnknown* hostContext, std::string& error);
    void linkConnectionPoints(bool connect);

    vst3::PClassInfo mClassInfo{};
    vst3::IComponent* mComponent = nullptr;
    vst3::IAudioProcessor* mProcessor = nullptr;
    vst3::IEditController* mController = nullptr;
    bool mSeparateController = false;
    bool mActive = false;
    ComponentHandler* mHandler = nullptr;
};

} // namespace quilhost
