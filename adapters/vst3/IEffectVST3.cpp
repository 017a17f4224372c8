#include "adapters/vst3/IEffectVST3.h"

#include "adapters/vst3/IEffectVST3View.h"
#include "adapters/vst3/api/Host.h"
#include "adapters/vst3/api/Speakers.h"
#include "adapters/vst3/base/Utf16.h"
#include "editor/IGraphics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

using namespace vst3;

IEffectVST3::IEffectVST3(void*, int nParams, const char* channelIOText, int nPresets, const char* effectName,
                         const char* productName, const char* makerName, int version, int uniqueId, int makerId,
                         int latency, bool doesMidi, bool doesChunks, bool isInstrument, int sideChainChannels)
    : IEffectBase(nParams, channelIOText, nPresets, effectName, productName, makerName, version, uniqueId, makerId,
                  latency, doesMidi, doesChunks, isInstrument, kFormatCode),
      mSideChainChannels(sideChainChannels) {
    ConnectInputs(0, InputCount(), true);
    ConnectOutputs(0, OutputCount(), true);
    if (InputCount() > 0) CreateLatencyDelay();
    SetInputBusLabel(0, "Main Input");
    if (mSideChainChannels != 0) SetInputBusLabel(1, "Aux Input");
    if (isInstrument) {
        for (int k = 0; 2 * k < OutputCount(); ++k) {
            char label[32];
            std::snprintf(label, sizeof label, "Output %i", k + 1);
            SetOutputBusLabel(k, label);
        }
    } else {
        SetOutputBusLabel(0, "Output");
    }
}

IEffectVST3::~IEffectVST3() = default;

SpeakerArrangement IEffectVST3::ArrangementFor(int channels) {
    switch (channels) {
    case 1: return SpeakerArr::kMono;
    case 2: return SpeakerArr::kStereo;
    case 3: return SpeakerArr::k30Music;
    case 4: return SpeakerArr::kAmbi1stOrderACN;
    case 5: return SpeakerArr::k50;
    case 6: return SpeakerArr::k51;
    default: return SpeakerArr::kEmpty;
    }
}

tresult PLUGIN_API IEffectVST3::initialize(FUnknown* context) {
    // The base refuses a repeat only when the first call stored a host context; without one the
    // buses and parameters would be built twice.
    const tresult result = mInitialized ? kResultFalse : SingleComponentEffect::initialize(context);
    IHostApplication* hostApplication = queryInterfaceOf<IHostApplication>(context);
    if (hostApplication) {
        String128 name{};
        if (hostApplication->getName(name) == kResultOk) {
            char productText[128];
            copyUtf16ToUtf8(productText, sizeof productText, name, 128);
            SetHost(productText, 0);
        }
    }
    // A refused (for example repeated) initialisation builds nothing a second time.
    if (result == kResultOk) {
        mInitialized = true;
        if (mSideChainChannels > 2) mSideChainChannels = 2;
        const int mainInputs = InputCount() - mSideChainChannels;
        if (mainInputs >= 1 && mainInputs <= 6) addAudioInput(InputBusLabel(0), ArrangementFor(mainInputs));
        if (IsInstrument()) {
            for (int k = 0; 2 * k < OutputCount(); ++k) addAudioOutput(OutputBusLabel(k), SpeakerArr::kStereo);
        } else {
            addAudioOutput(OutputBusLabel(0), ArrangementFor(OutputCount()));
        }
        if (mSideChainChannels != 0) {
            addAudioInput(InputBusLabel(1), mSideChainChannels == 2 ? SpeakerArr::kStereo : SpeakerArr::kMono, kAux, 0);
        }
        if (DoesMidi()) addEventInput("MIDI Input", 1);
        if (PresetCount() > 0) {
            parameters.addParameter(
                new Parameter("Preset", kPresetParamId, "", 0.0, PresetCount(), ParameterInfo::kIsProgramChange, 0));
        }
        if (!IsInstrument()) {
            auto* bypass = new StringListParameter(
                "Bypass", kBypassParamId, nullptr,
                ParameterInfo::kCanAutomate | ParameterInfo::kIsList | ParameterInfo::kIsBypass, 0);
            bypass->appendString("off");
            bypass->appendString("on");
            parameters.addParameter(bypass);
        }
        AddPluginParameters();
        if (DoesMidi()) {
            for (int c = 0; c < 128; ++c) {
                auto* controller = new RangeParameter("MIDI CC", static_cast<ParamID>(ParamCount() + c), "", 0.0,
                                                      127.0, 0.0, 0, ParameterInfo::kCanAutomate, 0);
                controller->setPrecision(1);
                parameters.addParameter(controller);
            }
        }
    }
    HostIdentified();
    RecallPreset(0);
    if (hostApplication) hostApplication->release();
    return result;
}

void IEffectVST3::AddPluginParameters() {
    for (int i = 0; i < ParamCount(); ++i) {
        const IEffectParam* param = Param(i);
        const UnitID unit = UnitForGroup(param->GroupText());
        const int32 automate = param->CanAutomate() ? ParameterInfo::kCanAutomate : 0;
        switch (param->Kind()) {
        case ParamKindBool:
        case ParamKindEnum: {
            auto* list = new StringListParameter(param->NameText(), static_cast<ParamID>(i), param->UnitText(),
                                                 ParameterInfo::kIsList | automate, unit);
            const int first = static_cast<int>(param->MinValue());
            for (int v = first; v <= static_cast<int>(param->MaxValue()); ++v) list->appendString(param->ValueTextFor(v));
            // Hosts reset to this: a switch that is on by default must read as on.
            list->setDefaultNormalized(list->toNormalized(param->DefaultValue() - first));
            parameters.addParameter(list);
            break;
        }
        case ParamKindInt:
        case ParamKindDouble: {
            auto* range = new RangeParameter(param->NameText(), static_cast<ParamID>(i), param->UnitText(),
                                             param->MinValue(), param->MaxValue(), param->DefaultValue(), 0, automate,
                                             unit);
            range->setPrecision(param->DisplayPrecision());
            parameters.addParameter(range);
            break;
        }
        case ParamKindNone:
            break;
        }
    }
}

UnitID IEffectVST3::UnitForGroup(const char* group) {
    if (!group || !group[0]) return kRootUnitId;
    for (std::size_t j = 0; j < mUnitNames.size(); ++j) {
        if (mUnitNames[j] == group) return static_cast<UnitID>(j + 1);
    }
    mUnitNames.emplace_back(group);
    return static_cast<UnitID>(mUnitNames.size());
}

tresult PLUGIN_API IEffectVST3::terminate() {
    // Views still held by the host outlive this; they find no entry to remove later.
    mViews.clear();
    mUnitNames.clear();
    mInitialized = false;
    return SingleComponentEffect::terminate();
}

tresult PLUGIN_API IEffectVST3::setActive(TBool state) {
    ActivationChanged(state != 0);
    return kResultOk;
}

// Units and the program list.

int32 PLUGIN_API IEffectVST3::getUnitCount() { return static_cast<int32>(mUnitNames.size()) + 1; }

tresult PLUGIN_API IEffectVST3::getUnitInfo(int32 unitIndex, UnitInfo& info) {
    if (unitIndex < 0 || unitIndex > static_cast<int32>(mUnitNames.size())) return kResultFalse;
    info.id = unitIndex;
    info.parentUnitId = unitIndex == 0 ? kNoParentUnitId : kRootUnitId;
    info.programListId = kNoProgramListId;
    copyUtf8ToUtf16(info.name, 128, unitIndex == 0 ? "Root Unit" : mUnitNames[static_cast<std::size_t>(unitIndex - 1)].c_str());
    return kResultTrue;
}

int32 PLUGIN_API IEffectVST3::getProgramListCount() { return 0; }

tresult PLUGIN_API IEffectVST3::getProgramListInfo(int32 listIndex, ProgramListInfo& info) {
    if (listIndex != 0) return kResultFalse;
    info.id = kPresetListId;
    copyUtf8ToUtf16(info.name, 128, "Factory Presets");
    info.programCount = PresetCount();
    return kResultTrue;
}

tresult PLUGIN_API IEffectVST3::getProgramName(ProgramListID listId, int32 programIndex, String128 name) {
    if (listId != kPresetListId || !name || programIndex < 0 || programIndex >= PresetCount()) return kResultFalse;
    copyUtf8ToUtf16(name, 128, PresetName(programIndex));
    return kResultTrue;
}

tresult PLUGIN_API IEffectVST3::getProgramInfo(ProgramListID, int32, CString, String128) { return kNotImplemented; }
tresult PLUGIN_API IEffectVST3::hasProgramPitchNames(ProgramListID, int32) { return kNotImplemented; }
tresult PLUGIN_API IEffectVST3::getProgramPitchName(ProgramListID, int32, int16, String128) { return kNotImplemented; }
UnitID PLUGIN_API IEffectVST3::getSelectedUnit() { return kRootUnitId; }
tresult PLUGIN_API IEffectVST3::selectUnit(UnitID) { return kNotImplemented; }
tresult PLUGIN_API IEffectVST3::getUnitByBus(MediaType, BusDirection, int32, int32, UnitID&) { return kNotImplemented; }
tresult PLUGIN_API IEffectVST3::setUnitProgramData(int32, int32, IBStream*) { return kNotImplemented; }

// Parameters as the controller reports them: the plug-in's own parameters answer from their
// IEffectParam, so shapes and value texts are the plug-in's.

tresult PLUGIN_API IEffectVST3::getParamStringByValue(ParamID id, ParamValue valueNormalized, String128 string) {
    const IEffectParam* param = id < static_cast<ParamID>(ParamCount()) ? Param(static_cast<int>(id)) : nullptr;
    if (!param || !string) return kResultFalse;
    char text[IEffectParam::kDisplaySize];
    param->FormatValue(valueNormalized, true, text, true);
    copyUtf8ToUtf16(string, 128, text);
    return kResultTrue;
}

ParamValue PLUGIN_API IEffectVST3::plainParamToNormalized(ParamID id, ParamValue plainValue) {
    const IEffectParam* param = id < static_cast<ParamID>(ParamCount()) ? Param(static_cast<int>(id)) : nullptr;
    return param ? param->ToNormalized(plainValue) : plainValue;
}

// The controller's bypass is the value the host gave it (or the state brought); the processor
// follows the host's parameter changes in process.
ParamValue PLUGIN_API IEffectVST3::getParamNormalized(ParamID id) {
    if (id == kBypassParamId) {
        const Parameter* bypass = parameters.getParameter(id);
        return bypass ? bypass->getNormalized() : 0.0;
    }
    const IEffectParam* param = id < static_cast<ParamID>(ParamCount()) ? Param(static_cast<int>(id)) : nullptr;
    return param ? param->ToNormalized() : 0.0;
}

tresult PLUGIN_API IEffectVST3::setParamNormalized(ParamID id, ParamValue value) {
    if (id == kBypassParamId) {
        Parameter* bypass = parameters.getParameter(id);
        if (!bypass) return kResultFalse;
        bypass->setNormalized(value);
        return kResultTrue;
    }
    IEffectParam* param = id < static_cast<ParamID>(ParamCount()) ? Param(static_cast<int>(id)) : nullptr;
    if (!param) return kResultFalse;
    param->SetFromNormalized(value);
    return kResultTrue;
}

tresult PLUGIN_API IEffectVST3::getMidiControllerAssignment(int32, int16, CtrlNumber midiControllerNumber,
                                                            ParamID& id) {
    // Only the 128 controllers have parameters; aftertouch and pitch bend (128, 129) do not.
    if (!DoesMidi() || midiControllerNumber < 0 || midiControllerNumber > 127) return kResultFalse;
    id = static_cast<ParamID>(ParamCount() + midiControllerNumber);
    return kResultTrue;
}

tresult PLUGIN_API IEffectVST3::queryInterface(const TUID iidBytes, void** obj) {
    if (obj && iidBytes) {
        if (answerInterface<IUnitInfo>(this, iidBytes, obj)) return kResultOk;
        if (answerInterface<IMidiMapping>(this, iidBytes, obj)) return kResultOk;
        if (IConnectionPoint::iid == iidBytes) {
            *obj = nullptr;
            return kNoInterface;
        }
    }
    return SingleComponentEffect::queryInterface(iidBytes, obj);
}

// Host-facing operations of IEffectBase.

void IEffectVST3::BeginInformHostOfParamChange(int paramIdx) { beginEdit(static_cast<ParamID>(paramIdx)); }

void IEffectVST3::InformHostOfParamChange(int paramIdx, double normalized) {
    performEdit(static_cast<ParamID>(paramIdx), normalized);
}

void IEffectVST3::EndInformHostOfParamChange(int paramIdx) { endEdit(static_cast<ParamID>(paramIdx)); }

bool IEffectVST3::HostIsOffline() { return getProcessSetup().processMode == kOffline; }

int IEffectVST3::HostSamplePosition() {
    return static_cast<int>(static_cast<uint32>(static_cast<uint64>(mLastContext.projectTimeSamples) & 0xFFFFFFFFu));
}

double IEffectVST3::HostTempo() { return mLastContext.tempo; }

void IEffectVST3::HostTimeSignature(int* numerator, int* denominator) {
    if (numerator) *numerator = mLastContext.timeSigNumerator;
    if (denominator) *denominator = mLastContext.timeSigDenominator;
}

void IEffectVST3::HostTransport(ITransportInfo* info) {
    if (!info) return;
    info->tempo = mLastContext.tempo;
    info->samplePos = static_cast<double>(mLastContext.projectTimeSamples);
    info->ppqPos = mLastContext.projectTimeMusic;
    info->lastBarPos = mLastContext.barPositionMusic;
    info->cycleStart = mLastContext.cycleStartMusic;
    info->cycleEnd = mLastContext.cycleEndMusic;
    info->numerator = mLastContext.timeSigNumerator;
    info->denominator = mLastContext.timeSigDenominator;
    info->playing = (mLastContext.state & ProcessContext::kPlaying) != 0;
    info->looping = (mLastContext.state & ProcessContext::kCycleActive) != 0;
}

// Editor views.

IPlugView* PLUGIN_API IEffectVST3::createView(FIDString name) {
    if (!name || std::strcmp(name, kEditorViewType) != 0) return nullptr;
    try {
        mViews.reserve(mViews.size() + 1);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    auto* view = new (std::nothrow) IEffectVST3View(this);
    if (view) mViews.push_back(view);
    return view;
}

void IEffectVST3::RemoveView(IEffectVST3View* view) {
    const auto found = std::find(mViews.begin(), mViews.end(), view);
    if (found != mViews.end()) mViews.erase(found);
}

void IEffectVST3::ResizeEditor(int width, int height) {
    if (Editor() && !mViews.empty()) mViews.front()->RequestResize(width, height);
}

void IEffectVST3::ShowHostParamMenu(int paramIdx, int x, int y) {
    if (!getComponentHandler() || mViews.empty()) return;
    IComponentHandler3* handler = queryInterfaceOf<IComponentHandler3>(getComponentHandler());
    if (!handler) return;
    const ParamID id = static_cast<ParamID>(paramIdx);
    if (IContextMenu* menu = handler->createContextMenu(mViews.front(), &id)) {
        menu->popup(x, y);
        menu->release();
    }
    handler->release();
}

void IEffectVST3::ChangeLatency(int samples) {
    IEffectBase::ChangeLatency(samples);
    restartComponent(kLatencyChanged);
}
