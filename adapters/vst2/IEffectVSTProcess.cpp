// The VST2 processing and parameter functions. Host blocks of any size are processed in pieces the
// scratch buffers hold; missing host channels read silence and are not written. Nothing here
// allocates.
#include "adapters/vst2/IEffectVST.h"

#include "editor/IGraphics.h"

#include <algorithm>

using namespace vst2;

void IEffectVST::PrepareProcessing() {
    if (DoesMidi()) CallHost(audioMasterWantMidi, 0, 1, nullptr);
    constexpr VstIntPtr kTimeWanted = kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstCyclePosValid |
                                      kVstTimeSigValid;
    const auto* time = reinterpret_cast<const VstTimeInfo*>(CallHost(audioMasterGetTime, 0, kTimeWanted, nullptr));
    VstTimeInfo copy{};
    if (time) copy = *time;
    PlugMutexLock lock(Mutex());
    mTimeInfo = copy;
    mTimeInfoValid = time != nullptr;
}

template <typename Sample>
bool IEffectVST::RunPiece(Sample** inputs, Sample** outputs, int offset, int frames, Precision precision) {
    // Connected channels take host buffers in order; a host gives no more than that.
    int connectedInputs = 0, connectedOutputs = 0;
    for (int c = 0; c < InputCount(); ++c) connectedInputs += IsInputConnected(c) ? 1 : 0;
    for (int c = 0; c < OutputCount(); ++c) connectedOutputs += IsOutputConnected(c) ? 1 : 0;
    auto hostChannel = [offset](Sample** host, int c, int connected) -> Sample* {
        return host && c < connected && host[c] ? host[c] + offset : nullptr;
    };
    if constexpr (sizeof(Sample) == sizeof(float)) {
        for (int c = 0; c < InputCount(); ++c) mFloatInputs[c] = hostChannel(inputs, c, connectedInputs);
        for (int c = 0; c < OutputCount(); ++c) mFloatOutputs[c] = hostChannel(outputs, c, connectedOutputs);
        if (!AttachInputs(0, InputCount(), mFloatInputs.data(), frames)) return false;
        AttachOutputs(0, OutputCount(), mFloatOutputs.data());
        return precision == Precision::FloatAdding ? RunBlockFloatAdding(frames) : RunBlockFloat(frames);
    } else {
        for (int c = 0; c < InputCount(); ++c) {
            double* in = hostChannel(inputs, c, connectedInputs);
            mDoubleInputs[c] = in ? in : mSilence.data();
        }
        for (int c = 0; c < OutputCount(); ++c) {
            double* out = hostChannel(outputs, c, connectedOutputs);
            mDoubleOutputs[c] = out ? out : mDiscard.data();
        }
        AttachInputs(0, InputCount(), mDoubleInputs.data());
        AttachOutputs(0, OutputCount(), mDoubleOutputs.data());
        return RunBlock(frames);
    }
}

template <typename Sample>
void IEffectVST::ProcessPieces(Sample** inputs, Sample** outputs, int frames, Precision precision) {
    PrepareProcessing();
    {
        AdapterCall call(*this, true);
        const int piece = std::min(BlockSize(), static_cast<int>(std::min(mSilence.size(), mDiscard.size())));
        for (int offset = 0; piece > 0 && offset < frames; offset += piece) {
            if (!RunPiece(inputs, outputs, offset, std::min(piece, frames - offset), precision)) break;
        }
    }
}

void IEffectVST::Process(AEffect* effect, float** inputs, float** outputs, VstInt32 frames) {
    if (IEffectVST* plugin = FromEffect(effect)) plugin->ProcessPieces(inputs, outputs, frames, Precision::FloatAdding);
}

void IEffectVST::ProcessReplacing(AEffect* effect, float** inputs, float** outputs, VstInt32 frames) {
    if (IEffectVST* plugin = FromEffect(effect)) plugin->ProcessPieces(inputs, outputs, frames, Precision::Float);
}

void IEffectVST::ProcessDoubleReplacing(AEffect* effect, double** inputs, double** outputs, VstInt32 frames) {
    if (IEffectVST* plugin = FromEffect(effect)) plugin->ProcessPieces(inputs, outputs, frames, Precision::Double);
}

void IEffectVST::SetParameter(AEffect* effect, VstInt32 index, float value) {
    if (IEffectVST* plugin = FromEffect(effect)) plugin->SetParameterValue(index, value);
}

float IEffectVST::GetParameter(AEffect* effect, VstInt32 index) {
    IEffectVST* plugin = FromEffect(effect);
    return plugin ? plugin->ParameterValue(index) : 0.0f;
}

void IEffectVST::SetParameterValue(int index, float value) {
    AdapterCall call(*this);
    IEffectParam* param = Param(index);
    if (!param) return;
    param->SetFromNormalized(value);
    // Any host thread: the editor takes the value on its own thread, at its next tick.
    if (Editor()) Editor()->PostParamValue(index, value);
    ParameterChanged(index, false);
}

float IEffectVST::ParameterValue(int index) {
    AdapterCall call(*this);
    const IEffectParam* param = Param(index);
    return param ? static_cast<float>(param->ToNormalized()) : 0.0f;
}
