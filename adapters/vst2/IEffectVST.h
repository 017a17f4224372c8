#pragma once
// The VST2 host adapter. The plug-in class derives from it; the host talks to the instance only
// through the effect record this class fills (dispatcher, parameter and processing functions) and
// hears from it through the host callback.
//
// Threads: the host may call the dispatcher, the parameter functions and the processing functions
// from different threads; each call holds the instance lock for its duration. Host calls the plug-in
// makes (automation, edits, display and size updates, MIDI out) are queued while the lock is held
// and made once it is released; time information is fetched before a processing call takes it.

#include "adapters/vst2/Vst2HostCalls.h"
#include "adapters/vst2/api/Vst2Structs.h"
#include "core/IEffectBase.h"

#include <vector>

class IEffectVST : public IEffectBase {
public:
    static constexpr int kFormatCode = 0;

    IEffectVST(vst2::HostCallback hostCallback, int nParams, const char* channelIOText, int nPresets,
               const char* effectName, const char* productName, const char* makerName, int version, int uniqueId,
               int makerId, int latency, bool doesMidi, bool doesChunks, bool isInstrument);
    ~IEffectVST() override;

    // The record handed to the host. It outlives the instance: after effClose it stays allocated,
    // without an instance, so that a host calling through it by mistake reaches no freed memory.
    vst2::AEffect* Effect() const { return mEffect; }
    // The instance behind a record, or null for a null record or one whose instance is closed.
    static IEffectVST* FromEffect(vst2::AEffect* effect);

    // The entry point's final steps: default presets for every empty slot, at least one program.
    void FinishCreation();

    // IEffectBase operations a host adapter provides.
    void BeginInformHostOfParamChange(int paramIdx) override;
    void InformHostOfParamChange(int paramIdx, double normalized) override;
    void EndInformHostOfParamChange(int paramIdx) override;
    void NotifyProgramChange() override;
    bool HostIsOffline() override;
    int HostSamplePosition() override;
    double HostTempo() override;
    void HostTimeSignature(int* numerator, int* denominator) override;
    void HostTransport(ITransportInfo* info) override;
    EHostKind IdentifyHost() override;
    void ResizeEditor(int width, int height) override;
    void HostSpecificSetup() override;
    void AttachEditor(IGraphics* editor) override;
    void ChangeLatency(int samples) override;
    bool SendMidiMessage(const IMidiMessage* message) override;
    bool SendSysExMessage(const ISysExMessage* message) override;
    void SetParameterFromGUI(int paramIdx, double normalized) override;
    bool ChangeBlockSize(int nFrames) override;

private:
    // Holds the instance lock for one adapter call; queued host calls are made once it is released.
    class AdapterCall {
    public:
        explicit AdapterCall(IEffectVST& plugin, bool processing = false) : mPlugin(plugin), mProcessing(processing) {
            mPlugin.Mutex().Enter();
            mPlugin.mLockedCalls.fetch_add(1, std::memory_order_acq_rel);
        }
        ~AdapterCall() {
            mPlugin.mLockedCalls.fetch_sub(1, std::memory_order_acq_rel);
            mPlugin.Mutex().Leave();
            mPlugin.SendHostCalls(mProcessing);
        }
        AdapterCall(const AdapterCall&) = delete;
        AdapterCall& operator=(const AdapterCall&) = delete;

    private:
        IEffectVST& mPlugin;
        bool mProcessing;
    };

    QUIL_VST2_HOST_ENTRY static vst2::VstIntPtr QUIL_VST2_CALL Dispatch(vst2::AEffect* effect, vst2::VstInt32 opcode, vst2::VstInt32 index,
                                                   vst2::VstIntPtr value, void* ptr, float opt);
    QUIL_VST2_HOST_ENTRY static void QUIL_VST2_CALL Process(vst2::AEffect* effect, float** inputs, float** outputs, vst2::VstInt32 frames);
    QUIL_VST2_HOST_ENTRY static void QUIL_VST2_CALL ProcessReplacing(vst2::AEffect* effect, float** inputs, float** outputs,
                                                vst2::VstInt32 frames);
    QUIL_VST2_HOST_ENTRY static void QUIL_VST2_CALL ProcessDoubleReplacing(vst2::AEffect* effect, double** inputs, double** outputs,
                                                      vst2::VstInt32 frames);
    QUIL_VST2_HOST_ENTRY static void QUIL_VST2_CALL SetParameter(vst2::AEffect* effect, vst2::VstInt32 index, float value);
    QUIL_VST2_HOST_ENTRY static float QUIL_VST2_CALL GetParameter(vst2::AEffect* effect, vst2::VstInt32 index);

    // The dispatcher's answer with the instance lock held (everything but effClose and the idles).
    vst2::VstIntPtr Answer(vst2::VstInt32 opcode, vst2::VstInt32 index, vst2::VstIntPtr value, void* ptr, float opt);
    vst2::VstIntPtr AnswerEditor(vst2::VstInt32 opcode, void* ptr);
    vst2::VstIntPtr AnswerChunk(vst2::VstInt32 opcode, vst2::VstInt32 index, vst2::VstIntPtr value, void* ptr);
    vst2::VstIntPtr AnswerEvents(const vst2::VstEvents* events);
    vst2::VstIntPtr StringToParameter(int index, const char* text);
    vst2::VstIntPtr PinProperties(int index, vst2::VstPinProperties* pin, bool input);
    vst2::VstIntPtr SetSpeakerArrangement(const vst2::VstSpeakerArrangement* inputs,
                                          const vst2::VstSpeakerArrangement* outputs);
    vst2::VstIntPtr VendorSpecific(vst2::VstInt32 index, vst2::VstIntPtr value, void* ptr, float opt);
    vst2::VstIntPtr ParameterProperties(int index, vst2::VstParameterProperties* properties);
    vst2::VstIntPtr CanDo(const char* text) const;
    void SetParameterValue(int index, float value);
    float ParameterValue(int index);

    enum class Precision { Float, FloatAdding, Double };
    // Before a processing call takes the lock: the host's MIDI wish and its time information.
    void PrepareProcessing();
    template <typename Sample>
    void ProcessPieces(Sample** inputs, Sample** outputs, int frames, Precision precision);
    template <typename Sample>
    bool RunPiece(Sample** inputs, Sample** outputs, int offset, int frames, Precision precision);

    vst2::VstIntPtr CallHost(vst2::VstInt32 opcode, vst2::VstInt32 index, vst2::VstIntPtr value, void* ptr);
    // Makes the queued host calls unless an adapter call still holds the instance lock; after a
    // processing call only the events.
    void SendHostCalls(bool processing = false);
    static void SetArrangement(vst2::VstSpeakerArrangement& arrangement, int channels);
    void Close();

    vst2::HostCallback mHostCallback;
    vst2::ERect mEditRect{};
    vst2::VstSpeakerArrangement mInputArrangement{};
    vst2::VstSpeakerArrangement mOutputArrangement{};
    bool mHostSetupDone = false;
    int mHostExtensions = 0;
    IChunkBuffer mProgramChunk;
    IChunkBuffer mBankChunk;
    vst2::AEffect* mEffect;

    // Edits, automation, display, window and I/O notices; MIDI and SysEx events.
    Vst2HostCalls mHostNotices;
    Vst2HostCalls mHostEvents;
    // Adapter calls holding the instance lock right now, on any thread: queued host calls wait
    // until none does.
    std::atomic<int> mLockedCalls{0};
    // The host's time information as of the current processing call, when the host gave one.
    vst2::VstTimeInfo mTimeInfo{};
    bool mTimeInfoValid = false;
    // Per-piece channel pointers into the host's buffers, sized once at construction.
    std::vector<float*> mFloatInputs, mFloatOutputs;
    std::vector<double*> mDoubleInputs, mDoubleOutputs;
    // What missing host channels read (zeros) and write into (discarded), a block long.
    std::vector<double> mSilence, mDiscard;
};
