// Rendering of the AAX adapter: one context of the processing procedure through the plug-in.
#include "adapters/aax/IEffectAAX.h"

#include <algorithm>

using namespace aax;

namespace {

// Channels beyond this many are not taken from a context (the plug-in has at most two).
constexpr int kMaxChannels = 32;

} // namespace

void IEffectAAX::RenderInstance(void* const* context) {
    PlugMutexLock lock(mMutex);
    // Before set-up and after teardown there are no host objects to use: nothing is rendered.
    if (!rendering || !context) return;
    const bool bypass = bypassParameter && bypassParameter->BoolValue();

    uint32_t inputFormat = 0;
    uint32_t outputFormat = 0;
    const bool formats = Controller().GetInputStemFormat(&inputFormat) == AAX_SUCCESS &&
                         Controller().GetOutputStemFormat(&outputFormat) == AAX_SUCCESS;
    const int inC = formats ? std::min(stemChannelCount(inputFormat), kMaxChannels) : 0;
    const int outC = formats ? std::min(stemChannelCount(outputFormat), kMaxChannels) : 0;

    if (DoesMidi()) ProcessMidi(context[kFieldInputMidi]);
    auto* transportField = static_cast<AAX_IMIDINode*>(context[kFieldTransport]);
    transportNode = transportField ? transportField->GetTransport() : nullptr;

    const auto* length = static_cast<const int32_t*>(context[kFieldBufferLength]);
    const int frames = length ? *length : 0;
    const auto* inputs = static_cast<const float* const*>(context[kFieldAudioIn]);
    const auto* outputs = static_cast<float* const*>(context[kFieldAudioOut]);
    if (frames <= 0 || !outputs) return;

    ClearScratch();
    ConnectInputs(0, InputCount(), false);
    ConnectInputs(0, inputs ? inC : 0, true);
    ConnectOutputs(0, outC, true);
    ConnectOutputs(outC, OutputCount() - outC, false);
    // Hosts stay within the block size, but a longer context is rendered in pieces, not cut.
    for (int offset = 0; offset < frames; offset += BlockSize())
        RenderPiece(inputs, outputs, inC, outC, offset, std::min(BlockSize(), frames - offset), bypass);
}

void IEffectAAX::RenderPiece(const float* const* inputs, float* const* outputs, int inC, int outC, int offset,
                             int frames, bool bypass) {
    float* in[kMaxChannels] = {};
    float* out[kMaxChannels] = {};
    for (int c = 0; inputs && c < inC; ++c) in[c] = inputs[c] ? const_cast<float*>(inputs[c]) + offset : nullptr;
    for (int c = 0; c < outC; ++c) out[c] = outputs[c] ? outputs[c] + offset : nullptr;
    AttachInputs(0, InputCount(), in, frames);
    AttachOutputs(0, OutputCount(), out);
    if (bypass) PassThroughFloat(frames);
    else RunBlockFloat(frames);
}

void IEffectAAX::ProcessMidi(void* node) {
    if (!node) return;
    const AAX_CMidiStream* stream = static_cast<AAX_IMIDINode*>(node)->GetNodeBuffer();
    if (!stream || !stream->mBuffer) return;
    for (uint32_t k = 0; k < stream->mBufferSize; ++k) {
        const AAX_CMidiPacket& packet = stream->mBuffer[k];
        IMidiMessage message;
        message.offset = static_cast<int32_t>(packet.mTimestamp);
        message.status = packet.mData[0];
        message.data1 = packet.mData[1];
        message.data2 = packet.mData[2];
        ProcessMidiMessage(&message);
    }
}
