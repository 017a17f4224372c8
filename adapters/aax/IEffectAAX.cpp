#include "adapters/aax/IEffectAAX.h"

#include "adapters/aax/AAX_CIEffectTaperDelegate.h"
#include "editor/IGraphics.h"

#include <cmath>
#include <limits>
#include <map>
#include <string>

using namespace aax;

IEffectAAX::IEffectAAX(int nParams, const char* channelIOText, int nPresets, const char* effectName,
                       const char* productName, const char* makerName, int version, int uniqueId, int makerId,
                       int latency, bool doesMidi, bool doesChunks, bool isInstrument)
    : IEffectBase(nParams, channelIOText, nPresets, effectName, productName, makerName, version, uniqueId, makerId,
                  latency, doesMidi, doesChunks, isInstrument, kFormatCode) {
    ConnectInputs(0, InputCount(), true);
    ConnectOutputs(0, OutputCount(), true);
    if (InputCount() > 0) CreateLatencyDelay();
    ChangeBlockSize(kBlockSize);
    SetHost("ProTools", VersionNumber(false));
}

const char* IEffectAAX::ParamId(int paramIdx) const {
    if (paramIdx < 0 || paramIdx >= static_cast<int>(paramIds.size())) return nullptr;
    return paramIds[static_cast<std::size_t>(paramIdx)].c_str();
}

int32_t IEffectAAX::CreateParameters() {
    auto bypass = std::make_unique<AAX_CParameter<bool>>(kMasterBypassId, "Master Bypass", false,
                                                         AAX_CBinaryTaperDelegate(),
                                                         AAX_CBinaryDisplayDelegate("bypass", "on"), true);
    bypass->SetNumberOfSteps(2);
    bypass->SetType(AAX_eParameterType_Discrete);
    bypassParameter = AddParameter(std::move(bypass));
    for (int i = 0; i < IEffectBase::ParamCount(); ++i) AddPluginParameter(i);

    float rate = 0.0f;
    // A host that gives no usable rate leaves the plug-in at its own.
    if (Controller().GetSampleRate(&rate) == AAX_SUCCESS && std::isfinite(rate) && rate > 0.0f)
        SetHostSampleRate(rate);
    ResetDsp();
    // The processing state starts from the parameters' values, as the host shows them.
    NotifyAllParams();
    PlugMutexLock lock(mMutex);
    rendering = true;
    return AAX_SUCCESS;
}

void IEffectAAX::AddPluginParameter(int paramIdx) {
    paramIds.push_back(std::to_string(paramIdx + 1));
    const char* id = paramIds.back().c_str();
    const IEffectParam* param = Param(paramIdx);
    std::unique_ptr<AAX_IParameter> parameter;
    switch (param->Kind()) {
    case ParamKindBool:
    case ParamKindEnum: {
        const int low = static_cast<int>(param->MinValue());
        const int high = static_cast<int>(param->MaxValue());
        std::map<int, std::string> texts;
        for (int v = low; v <= high; ++v) {
            const char* text = param->ValueTextFor(v);
            if (*text) texts[v] = text;
        }
        parameter = std::make_unique<AAX_CParameter<int>>(
            id, param->NameText(), static_cast<int>(param->DefaultValue()), AAX_CLinearTaperDelegate<int>(low, high),
            AAX_CStringDisplayDelegate<int>(texts), param->CanAutomate());
        parameter->SetNumberOfSteps(param->ValueTextCount());
        parameter->SetType(AAX_eParameterType_Discrete);
        break;
    }
    case ParamKindInt:
        parameter = std::make_unique<AAX_CParameter<int>>(
            id, param->NameText(), static_cast<int>(param->DefaultValue()),
            AAX_CLinearTaperDelegate<int>(static_cast<int>(param->MinValue()), static_cast<int>(param->MaxValue())),
            AAX_CUnitDisplayDelegateDecorator<int>(AAX_CNumberDisplayDelegate<int>(2), param->UnitText()),
            param->CanAutomate());
        break;
    case ParamKindDouble:
        parameter = std::make_unique<AAX_CParameter<double>>(
            id, param->NameText(), param->DefaultValue(),
            AAX_CIEffectTaperDelegate<double>(param->MinValue(), param->MaxValue(), param->Shape()),
            AAX_CUnitDisplayDelegateDecorator<double>(AAX_CNumberDisplayDelegate<double>(2), param->UnitText()),
            param->CanAutomate());
        break;
    case ParamKindNone:
        return;
    }
    if (param->Kind() == ParamKindInt || param->Kind() == ParamKindDouble) {
        parameter->SetNumberOfSteps(128);
        parameter->SetType(AAX_eParameterType_Continuous);
    }
    AddParameter(std::move(parameter));
}

int IEffectAAX::ParamIndexOf(const char* id) const {
    // Strictly "1".."n": no sign, no leading zero, no trailing text.
    if (!id || *id < '1' || *id > '9') return -1;
    long number = 0;
    for (const char* c = id; *c; ++c) {
        if (*c < '0' || *c > '9' || number > std::numeric_limits<int>::max() / 10) return -1;
        number = number * 10 + (*c - '0');
    }
    return number <= IEffectBase::ParamCount() ? static_cast<int>(number) - 1 : -1;
}

int32_t IEffectAAX::ApplyNormalizedValue(const char* id, double value) {
    AAX_IParameter* parameter = FindParameter(id);
    if (!parameter) return AAX_ERROR_INVALID_PARAMETER_ID;
    parameter->SetNormalizedValue(value);
    const int index = ParamIndexOf(id);
    if (index >= 0) {
        PlugMutexLock lock(mMutex);
        Param(index)->SetFromNormalized(value);
        if (Editor()) Editor()->PostParamValue(index, value);
        ParameterChanged(index, false);
    }
    CountChange();
    return AAX_SUCCESS;
}

int32_t IEffectAAX::Uninitialize() {
    {
        // Waits for a block in progress; later blocks render nothing. The host objects are given
        // back after the lock: no host call is made while holding it.
        PlugMutexLock lock(mMutex);
        rendering = false;
        transportNode = nullptr;
    }
    return AAX_CIEffectParameters::Uninitialize();
}

void IEffectAAX::BeginInformHostOfParamChange(int paramIdx) {
    if (const char* id = ParamId(paramIdx)) TouchParameter(id);
}

void IEffectAAX::InformHostOfParamChange(int paramIdx, double normalized) {
    if (const char* id = ParamId(paramIdx)) SetParameterNormalizedValue(id, normalized);
}

void IEffectAAX::EndInformHostOfParamChange(int paramIdx) {
    if (const char* id = ParamId(paramIdx)) ReleaseParameter(id);
}

int IEffectAAX::HostSamplePosition() {
    int64_t location = 0;
    Transport().GetCurrentNativeSampleLocation(&location);
    return static_cast<int>(static_cast<uint32_t>(static_cast<uint64_t>(location)));
}

double IEffectAAX::HostTempo() {
    double tempo = 0.0;
    if (Transport().GetCurrentTempo(&tempo) != AAX_SUCCESS) return 0.0;
    return tempo;
}

void IEffectAAX::HostTimeSignature(int* numerator, int* denominator) {
    int32_t num = 0;
    int32_t den = 0;
    if (Transport().GetCurrentMeter(&num, &den) != AAX_SUCCESS) return;
    if (numerator) *numerator = num;
    if (denominator) *denominator = den;
}

void IEffectAAX::HostTransport(ITransportInfo* info) {
    const AAX_VTransport transport = Transport();
    if (!info || !transport.IsValid()) return;
    constexpr double kTicksPerQuarter = 960000.0;
    double tempo = 0.0;
    if (transport.GetCurrentTempo(&tempo) == AAX_SUCCESS) info->tempo = tempo;
    bool playing = false;
    if (transport.IsTransportPlaying(&playing) == AAX_SUCCESS) info->playing = playing;
    HostTimeSignature(&info->numerator, &info->denominator);
    int64_t ticks = 0;
    if (transport.GetCurrentTickPosition(&ticks) == AAX_SUCCESS) info->ppqPos = ticks / kTicksPerQuarter;
    int64_t location = 0;
    if (transport.GetCurrentNativeSampleLocation(&location) == AAX_SUCCESS) info->samplePos = static_cast<double>(location);
    bool looping = false;
    int64_t loopStart = 0;
    int64_t loopEnd = 0;
    if (transport.GetCurrentLoopPosition(&looping, &loopStart, &loopEnd) == AAX_SUCCESS) {
        info->looping = looping;
        info->cycleStart = loopStart / kTicksPerQuarter;
        info->cycleEnd = loopEnd / kTicksPerQuarter;
    }
}

void IEffectAAX::ResizeEditor(int width, int height) {
    IGraphics* editor = Editor();
    if (!editor) return;
    if (auto* view = static_cast<AAX_VViewContainer*>(editor->HostView()))
        view->SetViewSize(AAX_Point{static_cast<float>(height), static_cast<float>(width)});
    EditorResized();
}

void IEffectAAX::ChangeLatency(int samples) {
    Controller().SetSignalLatency(samples);
    IEffectBase::ChangeLatency(samples);
}
