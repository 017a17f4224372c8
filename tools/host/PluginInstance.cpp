#include "tools/host/PluginInstance.h"

#include "adapters/vst3/api/Host.h"
#include "adapters/vst3/api/Speakers.h"
#include "adapters/vst3/base/Utf16.h"
#include "tools/host/HostObjects.h"
#include "tools/host/MemoryStream.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

using namespace vst3;

namespace quilhost {
namespace {

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

SpeakerArrangement arrangementFor(int channels) {
    switch (channels) {
    case 1: return SpeakerArr::kMono;
    case 2: return SpeakerArr::kStereo;
    default: return channels > 0 && channels < 64 ? (SpeakerArrangement{1} << channels) - 1 : 0;
    }
}

} // namespace

std::unique_ptr<PluginInstance> PluginInstance::create(IPluginFactory* factory, FUnknown* hostContext,
                                                       std::string& error) {
    std::unique_ptr<PluginInstance> instance(new PluginInstance);
    instance->mHandler = new ComponentHandler;
    const int32 count = factory->countClasses();
    int32 index = 0;
    for (; index < count; ++index) {
        if (factory->getClassInfo(index, &instance->mClassInfo) == kResultOk &&
            std::strncmp(instance->mClassInfo.category, "Audio Module Class", sizeof instance->mClassInfo.category) == 0)
            break;
    }
    if (index == count) {
        error = "the module offers no \"Audio Module Class\"";
        return nullptr;
    }
    void* obj = nullptr;
    if (factory->createInstance(instance->mClassInfo.cid, IComponent::iid.bytes, &obj) != kResultOk || !obj) {
        error = "the factory could not create the component";
        return nullptr;
    }
    instance->mComponent = static_cast<IComponent*>(obj);
    if (instance->mComponent->initialize(hostContext) != kResultOk) {
        // A component whose initialisation fails is released without terminate.
        instance->mComponent->release();
        instance->mComponent = nullptr;
        error = "the component refused to initialise";
        return nullptr;
    }
    instance->mProcessor = queryInterfaceOf<IAudioProcessor>(instance->mComponent);
    if (!instance->mProcessor) {
        error = "the component has no audio processor interface";
        return nullptr;
    }
    if (!instance->connectController(factory, hostContext, error)) return nullptr;
    instance->mController->setComponentHandler(instance->mHandler);
    return instance;
}

bool PluginInstance::connectController(IPluginFactory* factory, FUnknown* hostContext, std::string& error) {
    mController = queryInterfaceOf<IEditController>(mComponent);
    if (mController) return true;
    TUID controllerId{};
    void* obj = nullptr;
    if (mComponent->getControllerClassId(controllerId) != kResultOk ||
        factory->createInstance(controllerId, IEditController::iid.bytes, &obj) != kResultOk || !obj) {
        error = "the plug-in has no edit controller";
        return false;
    }
    mController = static_cast<IEditController*>(obj);
    if (mController->initialize(hostContext) != kResultOk) {
        mController->release();
        mController = nullptr;
        error = "the edit controller refused to initialise";
        return false;
    }
    mSeparateController = true;
    linkConnectionPoints(true);
    return true;
}

// Separate component and controller talk through their connection points, both ways.
void PluginInstance::linkConnectionPoints(bool connect) {
    IConnectionPoint* componentPoint = queryInterfaceOf<IConnectionPoint>(mComponent);
    IConnectionPoint* controllerPoint = queryInterfaceOf<IConnectionPoint>(mController);
    if (componentPoint && controllerPoint) {
        if (connect) {
            componentPoint->connect(controllerPoint);
            controllerPoint->connect(componentPoint);
        } else {
            componentPoint->disconnect(controllerPoint);
            controllerPoint->disconnect(componentPoint);
        }
    }
    if (componentPoint) componentPoint->release();
    if (controllerPoint) controllerPoint->release();
}

PluginInstance::~PluginInstance() {
    stop();
    if (mController) {
        mController->setComponentHandler(nullptr);
        if (mSeparateController) {
            linkConnectionPoints(false);
            mController->terminate();
        }
        mController->release();
    }
    if (mProcessor) mProcessor->release();
    if (mComponent) {
        mComponent->terminate();
        mComponent->release();
    }
    if (mHandler) mHandler->release();
}

std::vector<ParameterEntry> PluginInstance::parameters() const {
    std::vector<ParameterEntry> entries;
    const int32 count = mController->getParameterCount();
    for (int32 i = 0; i < count; ++i) {
        ParameterEntry entry{};
        if (mController->getParameterInfo(i, entry.info) != kResultOk) continue;
        entry.title = toUtf8(entry.info.title, 128);
        entry.units = toUtf8(entry.info.units, 128);
        entries.push_back(entry);
    }
    return entries;
}

bool PluginInstance::findParameter(const std::string& title, ParameterInfo& info) const {
    for (const ParameterEntry& entry : parameters()) {
        if (sameIgnoringCase(entry.title, title)) {
            info = entry.info;
            return true;
        }
    }
    return false;
}

bool PluginInstance::parseValue(const ParameterInfo& info, const std::string& text, ParamValue& normalized,
                                std::string& error) const {
    const std::string title = toUtf8(info.title, 128);
    char16 wide[128];
    copyUtf8ToUtf16(wide, 128, text.c_str());
    if (text.empty() || mController->getParamValueByString(info.id, wide, normalized) != kResultOk) {
        error = "parameter '" + title + "' does not accept the value '" + text + "'";
        return false;
    }
    // The plug-in clamps numbers into its range; a host should say so instead of silently
    // using another value.
    char* end = nullptr;
    const double number = std::strtod(text.c_str(), &end);
    if (end != text.c_str() && *end == 0) {
        const double plain = mController->normalizedParamToPlain(info.id, normalized);
        if (std::fabs(plain - number) > 1e-6 * std::max(1.0, std::fabs(number))) {
            const double low = mController->normalizedParamToPlain(info.id, 0.0);
            const double high = mController->normalizedParamToPlain(info.id, 1.0);
            error = "value " + text + " is outside the range of parameter '" + title + "' (" +
                    std::to_string(low) + " to " + std::to_string(high) + ")";
            return false;
        }
    }
    return true;
}

std::string PluginInstance::valueText(ParamID id, ParamValue normalized) const {
    String128 text{};
    if (mController->getParamStringByValue(id, normalized, text) != kResultOk) return "?";
    return toUtf8(text, 128);
}

bool PluginInstance::prepare(ProcessingConfig& config, std::string& error) {
    const int32 inputBuses = mComponent->getBusCount(kAudio, kInput);
    const int32 outputBuses = mComponent->getBusCount(kAudio, kOutput);
    std::vector<SpeakerArrangement> inputs(static_cast<std::size_t>(inputBuses), SpeakerArr::kEmpty);
    std::vector<SpeakerArrangement> outputs(static_cast<std::size_t>(outputBuses), SpeakerArr::kEmpty);
    for (int32 i = 0; i < inputBuses; ++i) mProcessor->getBusArrangement(kInput, i, inputs[static_cast<std::size_t>(i)]);
    for (int32 i = 0; i < outputBuses; ++i) mProcessor->getBusArrangement(kOutput, i, outputs[static_cast<std::size_t>(i)]);
    if (inputBuses > 0) inputs[0] = arrangementFor(config.inputChannels);
    if (outputBuses > 0) outputs[0] = arrangementFor(config.outputChannels);
    if (mProcessor->setBusArrangements(inputs.data(), inputBuses, outputs.data(), outputBuses) != kResultTrue) {
        // Keep what the plug-in settled on; the caller maps channels to it.
        if (inputBuses > 0) mProcessor->getBusArrangement(kInput, 0, inputs[0]);
        if (outputBuses > 0) mProcessor->getBusArrangement(kOutput, 0, outputs[0]);
    }
    config.inputChannels = inputBuses > 0 ? SpeakerArr::getChannelCount(inputs[0]) : 0;
    config.outputChannels = outputBuses > 0 ? SpeakerArr::getChannelCount(outputs[0]) : 0;
    if (config.outputChannels == 0) {
        error = "the plug-in has no audio output";
        return false;
    }
    const int32 sampleSize = config.doublePrecision ? kSample64 : kSample32;
    if (mProcessor->canProcessSampleSize(sampleSize) != kResultTrue) {
        error = config.doublePrecision ? "the plug-in cannot process 64-bit samples"
                                       : "the plug-in cannot process 32-bit samples";
        return false;
    }
    ProcessSetup setup{config.offline ? kOffline : kRealtime, sampleSize, config.maxBlockSize, config.sampleRate};
    if (mProcessor->setupProcessing(setup) != kResultOk) {
        error = "the plug-in refused the processing setup";
        return false;
    }
    if (mComponent->setActive(1) != kResultOk) {
        error = "the plug-in refused to activate";
        return false;
    }
    mActive = true;
    mProcessor->setProcessing(1);  // optional for plug-ins: its answer does not matter
    return true;
}

void PluginInstance::stop() {
    if (!mActive) return;
    mProcessor->setProcessing(0);
    mComponent->setActive(0);
    mActive = false;
}

bool PluginInstance::saveState(std::vector<std::uint8_t>& componentState, std::vector<std::uint8_t>& controllerState,
                               std::string& error) {
    auto* componentStream = new MemoryStream;
    const tresult componentResult = mComponent->getState(componentStream);
    componentState = componentStream->bytes();
    componentStream->release();
    auto* controllerStream = new MemoryStream;
    const tresult controllerResult = mController->getState(controllerStream);
    controllerState = controllerStream->bytes();
    controllerStream->release();
    if (componentResult != kResultOk && controllerResult != kResultOk) {
        error = "the plug-in gave no state";
        return false;
    }
    return true;
}

bool PluginInstance::loadState(const std::vector<std::uint8_t>& componentState,
                               const std::vector<std::uint8_t>& controllerState, std::string& error) {
    // Hosts hand the component its state, pass the same bytes to a separate controller, then give
    // the controller its own state. Every refusal is reported.
    bool accepted = true;
    if (!componentState.empty()) {
        auto* stream = new MemoryStream(componentState);
        if (mComponent->setState(stream) != kResultOk) {
            accepted = false;
            error = "the component did not accept its state";
        }
        stream->rewind();
        if (mSeparateController) mController->setComponentState(stream);
        stream->release();
    }
    if (!controllerState.empty()) {
        auto* stream = new MemoryStream(controllerState);
        if (mController->setState(stream) != kResultOk) {
            accepted = false;
            error += std::string(error.empty() ? "" : "; ") + "the controller did not accept its state";
        }
        stream->release();
    }
    return accepted;
}

} // namespace quilhost
