#include "tools/host/vst2/Vst2Plugin.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

using namespace vst2;

namespace quilhost {
namespace {

// The instance whose entry point is running: the plug-in may call back before the host has its
// record (and then passes no record at all).
Vst2Plugin* gCreating = nullptr;

constexpr VstIntPtr kHostVersion = 10000;

bool sameTitle(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

bool isNumber(const std::string& text, double& number) {
    char* end = nullptr;
    number = std::strtod(text.c_str(), &end);
    return !text.empty() && end != text.c_str() && *end == 0;
}

} // namespace

std::unique_ptr<Vst2Plugin> Vst2Plugin::create(EntryFunction entry, std::string& error) {
    std::unique_ptr<Vst2Plugin> plugin(new Vst2Plugin);
    gCreating = plugin.get();
    AEffect* effect = entry ? entry(hostCallback) : nullptr;
    gCreating = nullptr;
    if (!effect) {
        error = "the entry point created no effect";
        return nullptr;
    }
    if (effect->magic != kEffectMagic) {
        error = "the entry point returned a record without the VST2 magic";
        return nullptr;
    }
    // The host's own fields of the record: from now on the callback finds the instance here.
    effect->resvd1 = reinterpret_cast<VstIntPtr>(plugin.get());
    plugin->mEffect = effect;
    plugin->dispatch(effOpen);
    return plugin;
}

Vst2Plugin::~Vst2Plugin() {
    if (!mEffect) return;
    stop();
    dispatch(effClose);
}

VstIntPtr Vst2Plugin::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) const {
    return mEffect->dispatcher(mEffect, opcode, index, value, ptr, opt);
}

VstIntPtr Vst2Plugin::hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                   float opt) {
    Vst2Plugin* plugin = effect && effect->resvd1 ? reinterpret_cast<Vst2Plugin*>(effect->resvd1) : gCreating;
    if (opcode == audioMasterVersion) return kVstVersion;
    return plugin ? plugin->answer(opcode, index, value, ptr, opt) : 0;
}

VstIntPtr Vst2Plugin::answer(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    switch (opcode) {
        case audioMasterGetTime:
            return mTimeInfoAvailable ? reinterpret_cast<VstIntPtr>(&mTimeInfo) : 0;
        case audioMasterGetSampleRate:
            return static_cast<VstIntPtr>(mSampleRate);
        case audioMasterGetBlockSize:
            return mBlockSize;
        case audioMasterGetCurrentProcessLevel:
            return mOffline ? kVstProcessLevelOffline : kVstProcessLevelRealtime;
        case audioMasterGetProductString:
            if (ptr) std::snprintf(static_cast<char*>(ptr), kVstMaxProductStrLen, "%s", kProductName);
            return ptr ? 1 : 0;
        case audioMasterGetVendorString:
            if (ptr) std::snprintf(static_cast<char*>(ptr), kVstMaxVendorStrLen, "%s", "Fenwox");
            return ptr ? 1 : 0;
        case audioMasterGetVendorVersion:
            return kHostVersion;
        case audioMasterWantMidi:
            return 1;
        case audioMasterCanDo: {
            const char* text = static_cast<const char*>(ptr);
            for (const char* feature : {"sendVstTimeInfo", "sendVstEvents", "sendVstMidiEvent", "receiveVstEvents",
                                        "receiveVstMidiEvent", "acceptIOChanges", "sizeWindow"}) {
                if (text && std::strcmp(text, feature) == 0) return 1;
            }
            return 0;
        }
        case audioMasterAutomate:
        case audioMasterBeginEdit:
        case audioMasterEndEdit:
        case audioMasterUpdateDisplay:
        case audioMasterIOChanged:
        case audioMasterSizeWindow:
        case audioMasterProcessEvents: {
            Vst2HostEvent event{opcode, index, value, opt, {}};
            const auto* list = static_cast<const VstEvents*>(ptr);
            if (opcode == audioMasterProcessEvents && list && list->numEvents > 0 && list->events[0] &&
                list->events[0]->type == kVstMidiType) {
                const auto* midi = reinterpret_cast<const VstMidiEvent*>(list->events[0]);
                event.midi.assign(midi->midiData, midi->midiData + 3);
            }
            mHostEvents.push_back(event);
            return 1;
        }
        default:
            return 0;
    }
}

std::string Vst2Plugin::text(VstInt32 opcode, VstInt32 index) const {
    // Larger than any buffer the interface defines: the plug-in is held to its own bounds.
    char buffer[256] = {};
    dispatch(opcode, index, 0, buffer);
    return std::string(buffer, strnlen(buffer, sizeof buffer));
}

std::vector<Vst2Parameter> Vst2Plugin::parameters() const {
    std::vector<Vst2Parameter> list;
    for (int i = 0; i < mEffect->numParams; ++i) {
        VstParameterProperties properties{};
        std::string title = dispatch(effGetParameterProperties, i, 0, &properties)
                                ? std::string(properties.label, strnlen(properties.label, sizeof properties.label))
                                : text(effGetParamName, i);
        list.push_back({i, title, text(effGetParamLabel, i)});
    }
    return list;
}

int Vst2Plugin::findParameter(const std::string& title) const {
    for (const Vst2Parameter& parameter : parameters()) {
        if (sameTitle(parameter.title, title)) return parameter.index;
    }
    return -1;
}

std::string Vst2Plugin::displayText(int index) const {
    const std::string units = text(effGetParamLabel, index);
    return text(effGetParamDisplay, index) + (units.empty() ? "" : " " + units);
}

bool Vst2Plugin::parseValue(int index, const std::string& value, float& normalized, std::string& error) {
    std::string shown;
    const bool taken = !value.empty() && dispatch(effString2Parameter, index, 0, const_cast<char*>(value.c_str()));
    if (taken) {
        normalized = mEffect->getParameter(mEffect, index);
        shown = text(effGetParamDisplay, index);
    }
    const std::string title = parameters()[static_cast<std::size_t>(index)].title;
    if (!taken) {
        error = "parameter '" + title + "' does not accept the value '" + value + "'";
        return false;
    }
    // The plug-in clamps numbers into its range; a host should say so instead of silently using
    // another value.
    double number = 0.0, displayed = 0.0;
    if (isNumber(value, number) && isNumber(shown, displayed) && std::fabs(displayed - number) >= 1.0) {
        error = "value " + value + " is outside the range of parameter '" + title + "' (it shows " + shown + ")";
        return false;
    }
    return true;
}

void Vst2Plugin::prepare(double sampleRate, int maxBlockSize, bool offline) {
    mSampleRate = sampleRate;
    mBlockSize = maxBlockSize;
    mOffline = offline;
    if (mActive) dispatch(effMainsChanged, 0, 0);
    dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
    dispatch(effSetBlockSize, 0, maxBlockSize);
    dispatch(effMainsChanged, 0, 1);
    mActive = true;
}

void Vst2Plugin::stop() {
    if (!mActive) return;
    dispatch(effMainsChanged, 0, 0);
    mActive = false;
}

} // namespace quilhost
