#pragma once
// The AAX host adapter. The plug-in class derives from it, so one object is the plug-in and the
// instance's data model at once. It presents the plug-in's parameters as AAX parameters (with the
// host's master bypass in front), applies the values the host sends, renders blocks from the
// processing procedure, saves and restores the state as one chunk and answers the host-facing
// operations of IEffectBase from the host's controller, automation delegate and transport.

#include "adapters/aax/AAX_CIEffectParameters.h"
#include "core/IEffectBase.h"

#include <string>
#include <vector>

class IEffectAAX : public IEffectBase, public AAX_CIEffectParameters {
public:
    static constexpr int kFormatCode = 4;
    // The block size the scratch buffers hold; longer host blocks are rendered in pieces.
    static constexpr int kBlockSize = 1024;
    // The format of the state chunk's data: the plug-in's state as StoreState writes it.
    static constexpr int32_t kChunkVersion = 1;
    // Chunks claiming more data than this are not read.
    static constexpr int32_t kMaxChunkSize = 1 << 20;

    IEffectAAX(int nParams, const char* channelIOText, int nPresets, const char* effectName, const char* productName,
               const char* makerName, int version, int uniqueId, int makerId, int latency, bool doesMidi,
               bool doesChunks, bool isInstrument);

    // The data-model interface handed to the host.
    aax::IACFUnknown* HostInterface() { return static_cast<aax::AAX_IACFEffectParameters_V4*>(this); }
    // The AAX identifier of plug-in parameter i ("1" for parameter 0), or null outside the range.
    const char* ParamId(int paramIdx) const;

    int32_t Uninitialize() override;
    void RenderInstance(void* const* context) override;

    // IEffectBase operations a host adapter provides.
    void BeginInformHostOfParamChange(int paramIdx) override;
    void InformHostOfParamChange(int paramIdx, double normalized) override;
    void EndInformHostOfParamChange(int paramIdx) override;
    void NotifyProgramChange() override {}
    bool HostIsOffline() override { return false; }
    int HostSamplePosition() override;
    double HostTempo() override;
    void HostTimeSignature(int* numerator, int* denominator) override;
    void HostTransport(ITransportInfo* info) override;
    void ResizeEditor(int width, int height) override;
    void ChangeLatency(int samples) override;
    bool SendMidiMessage(const IMidiMessage*) override { return false; }
    bool SendSysExMessage(const ISysExMessage*) override { return false; }
    void MarkStateChanged() override { CountChange(); }

protected:
    int32_t CreateParameters() override;
    int32_t ApplyNormalizedValue(const char* id, double value) override;
    int32_t ChunkIdByIndex(int32_t index, uint32_t* id) const override;
    int32_t ChunkByteSize(uint32_t id, uint32_t* size) override;
    int32_t FillChunk(uint32_t id, aax::AAX_SPlugInChunk* chunk, int32_t capacity) override;
    int32_t ApplyChunk(uint32_t id, const aax::AAX_SPlugInChunk* chunk) override;
    int32_t ChunkEqualsState(const aax::AAX_SPlugInChunk* chunk, bool* equal) override;

private:
    void AddPluginParameter(int paramIdx);
    // The plug-in parameter an AAX identifier names ("1".."n"), or -1.
    int ParamIndexOf(const char* id) const;
    // Data bytes of the plug-in's whole state.
    int32_t StateBytes() const { return IEffectBase::ParamCount() * 8; }
    void ProcessMidi(void* node);
    // Frames of host audio through the plug-in (at most kBlockSize), from `offset` on.
    void RenderPiece(const float* const* inputs, float* const* outputs, int inC, int outC, int offset, int frames,
                     bool bypass);
    aax::AAX_VTransport Transport() const { return aax::AAX_VTransport(transportNode); }

    // Set while the instance is set up with its host objects; guarded by the plug-in mutex.
    bool rendering = false;
    aax::AAX_IParameter* bypassParameter = nullptr;
    aax::AAX_ITransport* transportNode = nullptr;
    std::vector<std::string> paramIds;
};
