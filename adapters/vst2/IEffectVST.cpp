// The VST2 adapter's record, its construction and the IEffectBase operations it implements with the
// host callback.
#include "adapters/vst2/IEffectVST.h"

#include "adapters/vst2/Vst2EditorWindow.h"
#include "editor/IGraphics.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <mutex>

using namespace vst2;

namespace {

// Records of closed instances: kept, without an instance, until the library is unloaded.
struct RetiredRecords {
    std::mutex lock;
    std::vector<std::unique_ptr<AEffect>> records;
};

RetiredRecords& retiredRecords() {
    static RetiredRecords retired;
    return retired;
}

void Retire(AEffect* effect) {
    effect->object = nullptr;
    RetiredRecords& retired = retiredRecords();
    std::lock_guard<std::mutex> hold(retired.lock);
    try {
        retired.records.emplace_back(effect);
    } catch (const std::bad_alloc&) {
        // Not remembering it only means it is never freed.
    }
}

// The host's decimal version v as major << 16 | minor << 8 | patch.
int PackDecimalVersion(VstIntPtr v) {
    if (v < 0) return 0;
    const auto version = static_cast<unsigned long long>(v);
    return static_cast<int>((((version / 10000) & 0x7FFF) << 16) | (((version % 10000) / 100) << 8) | (version % 100));
}

bool NeedsExtraChannels(EHostKind host) {
    return host == HostForte || host == HostAudition || host == HostOrion || host == HostSawStudio;
}

}  // namespace

IEffectVST::IEffectVST(HostCallback hostCallback, int nParams, const char* channelIOText, int nPresets,
                       const char* effectName, const char* productName, const char* makerName, int version,
                       int uniqueId, int makerId, int latency, bool doesMidi, bool doesChunks, bool isInstrument)
    : IEffectBase(nParams, channelIOText, nPresets, effectName, productName, makerName, version, uniqueId, makerId,
                  latency, doesMidi, doesChunks, isInstrument, kFormatCode),
      mHostCallback(hostCallback),
      mEffect(new AEffect{}),
      mHostNotices(hostCallback, mEffect),
      mHostEvents(hostCallback, mEffect),
      mFloatInputs(static_cast<std::size_t>(InputCount())),
      mFloatOutputs(static_cast<std::size_t>(OutputCount())),
      mDoubleInputs(static_cast<std::size_t>(InputCount())),
      mDoubleOutputs(static_cast<std::size_t>(OutputCount())) {
    AEffect& effect = *mEffect;
    effect.magic = kEffectMagic;
    effect.dispatcher = Dispatch;
    effect.process = Process;
    effect.setParameter = SetParameter;
    effect.getParameter = GetParameter;
    effect.processReplacing = ProcessReplacing;
    effect.processDoubleReplacing = ProcessDoubleReplacing;
    effect.numPrograms = PresetCount();
    effect.numParams = ParamCount();
    effect.numInputs = InputCount();
    effect.numOutputs = OutputCount();
    effect.flags = effFlagsCanReplacing | effFlagsCanDoubleReplacing;
    if (doesChunks) effect.flags |= effFlagsProgramChunks;
    if (LegalIO(1, -1)) effect.flags |= effFlagsCanMono;
    if (isInstrument) effect.flags |= effFlagsIsSynth;
    effect.initialDelay = latency;
    effect.ioRatio = 1.0f;
    effect.object = this;
    effect.uniqueID = uniqueId;
    effect.version = VersionNumber(true);

    SetArrangement(mInputArrangement, InputCount());
    SetArrangement(mOutputArrangement, OutputCount());
    ConnectInputs(0, InputCount(), true);
    ConnectOutputs(0, OutputCount(), true);
    ChangeBlockSize(1024);
}

IEffectVST::~IEffectVST() {
    mHostNotices.Clear();
    mHostEvents.Clear();
    Retire(mEffect);
}

IEffectVST* IEffectVST::FromEffect(AEffect* effect) {
    return effect ? static_cast<IEffectVST*>(effect->object) : nullptr;
}

void IEffectVST::FinishCreation() {
    MakeDefaultPresets("Empty", PresetCount());
    mEffect->numPrograms = std::max(mEffect->numPrograms, 1);
}

void IEffectVST::SetArrangement(VstSpeakerArrangement& arrangement, int channels) {
    arrangement.numChannels = channels;
    if (channels == 0) arrangement.type = kSpeakerArrEmpty;
    else if (channels == 1) arrangement.type = kSpeakerArrMono;
    else if (channels == 2) arrangement.type = kSpeakerArrStereo;
    else arrangement.type = kSpeakerArrUserDefined;
}

VstIntPtr IEffectVST::CallHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr) {
    return mHostCallback ? mHostCallback(mEffect, opcode, index, value, ptr, 0.0f) : 0;
}

// Host calls are queued by the operations that make them (the caller may hold the lock) and made at
// the end of every adapter call and of an editor's parameter change, once the lock is free. The
// end of a processing call sends only events: window, edit and display notices are the editor
// thread's business, and go out with the next dispatcher, parameter or idle call.
void IEffectVST::SendHostCalls(bool processing) {
    if (mLockedCalls.load(std::memory_order_acquire) != 0) return;
    mHostEvents.Send();
    if (!processing) mHostNotices.Send();
}

void IEffectVST::BeginInformHostOfParamChange(int paramIdx) {
    mHostNotices.Queue(audioMasterBeginEdit, paramIdx, 0, 0.0f);
}

void IEffectVST::InformHostOfParamChange(int paramIdx, double normalized) {
    mHostNotices.Queue(audioMasterAutomate, paramIdx, 0, static_cast<float>(normalized));
}

void IEffectVST::EndInformHostOfParamChange(int paramIdx) {
    mHostNotices.Queue(audioMasterEndEdit, paramIdx, 0, 0.0f);
}

void IEffectVST::NotifyProgramChange() {
    mHostNotices.Queue(audioMasterUpdateDisplay, 0, 0, 0.0f);
}

// Called by the editor without the lock; the base takes it while the change is made.
void IEffectVST::SetParameterFromGUI(int paramIdx, double normalized) {
    IEffectBase::SetParameterFromGUI(paramIdx, normalized);
    SendHostCalls();
}

bool IEffectVST::HostIsOffline() { return CallHost(audioMasterGetCurrentProcessLevel, 0, 0, nullptr) == 4; }

// The time queries answer from the host's record as of the current processing call (fetched before
// the lock was taken, see PrepareProcessing).
int IEffectVST::HostSamplePosition() {
    const double position = mTimeInfo.samplePos;
    if (!mTimeInfoValid || !(position >= 0.0 && position < 2147483647.0)) return 0;
    return static_cast<int>(position + 0.5);
}

double IEffectVST::HostTempo() {
    if (!mTimeInfoValid || !(mTimeInfo.flags & kVstTempoValid) || !(mTimeInfo.tempo >= 0.0)) return 0.0;
    return mTimeInfo.tempo;
}

void IEffectVST::HostTimeSignature(int* numerator, int* denominator) {
    if (numerator) *numerator = 0;
    if (denominator) *denominator = 0;
    if (!mTimeInfoValid || !(mTimeInfo.flags & kVstTimeSigValid) || mTimeInfo.timeSigNumerator < 0 || mTimeInfo.timeSigDenominator < 0)
        return;
    if (numerator) *numerator = mTimeInfo.timeSigNumerator;
    if (denominator) *denominator = mTimeInfo.timeSigDenominator;
}

void IEffectVST::HostTransport(ITransportInfo* info) {
    const VstTimeInfo& time = mTimeInfo;
    constexpr VstInt32 kAnyTransport = 0x3E00;
    if (!info || !mTimeInfoValid || !(time.flags & kAnyTransport)) return;
    info->samplePos = time.samplePos;
    if ((time.flags & kVstPpqPosValid) && time.ppqPos >= 0.0) info->ppqPos = time.ppqPos;
    if ((time.flags & kVstTempoValid) && time.tempo > 0.0) info->tempo = time.tempo;
    if ((time.flags & kVstBarsValid) && time.barStartPos >= 0.0) info->lastBarPos = time.barStartPos;
    if ((time.flags & kVstCyclePosValid) && time.cycleStartPos >= 0.0 && time.cycleEndPos >= 0.0) {
        info->cycleStart = time.cycleStartPos;
        info->cycleEnd = time.cycleEndPos;
    }
    if ((time.flags & kVstTimeSigValid) && time.timeSigNumerator > 0 && time.timeSigDenominator > 0) {
        info->numerator = time.timeSigNumerator;
        info->denominator = time.timeSigDenominator;
    }
    info->playing = (time.flags & kVstTransportPlaying) != 0;
    info->looping = (time.flags & kVstTransportCycleActive) != 0;
}

EHostKind IEffectVST::IdentifyHost() {
    if (mHost != HostNotIdentified) return mHost;
    char product[256] = {};
    CallHost(audioMasterGetProductString, 0, 0, product);
    product[sizeof product - 1] = '\0';
    const bool named = product[0] != '\0';
    const int version = named ? PackDecimalVersion(CallHost(audioMasterGetVendorVersion, 0, 0, nullptr)) : 0;
    SetHost(product, version);
    return mHost;
}

void IEffectVST::HostSpecificSetup() {
    if (mHostSetupDone) return;
    mHostSetupDone = true;
    if (NeedsExtraChannels(IdentifyHost())) ConnectExtraChannels();
    mInputArrangement.numChannels = InputCount();
    mOutputArrangement.numChannels = OutputCount();
    mEffect->numInputs = InputCount();
    mEffect->numOutputs = OutputCount();
    HostIdentified();
}

void IEffectVST::AttachEditor(IGraphics* editor) {
    IEffectBase::AttachEditor(editor);
    if (!Editor()) return;
    mEditRect = ERect{0, 0, static_cast<VstInt16>(Editor()->Height()), static_cast<VstInt16>(Editor()->Width())};
    if (QUIL_VST2_EDITOR_WINDOW) mEffect->flags |= effFlagsHasEditor;
}

void IEffectVST::ResizeEditor(int width, int height) {
    if (!Editor()) return;
    mEditRect = ERect{0, 0, static_cast<VstInt16>(Editor()->Height()), static_cast<VstInt16>(Editor()->Width())};
    EditorResized();
    mHostNotices.Queue(audioMasterSizeWindow, width, height, 0.0f);
}

void IEffectVST::ChangeLatency(int samples) {
    mEffect->initialDelay = samples;
    IEffectBase::ChangeLatency(samples);
    // The host reads initialDelay again only when told.
    mHostNotices.Queue(audioMasterIOChanged, 0, 0, 0.0f);
}

bool IEffectVST::SendMidiMessage(const IMidiMessage* message) {
    if (!message) return false;
    VstMidiEvent event{};
    event.type = kVstMidiType;
    event.byteSize = sizeof(VstMidiEvent);
    event.deltaFrames = message->offset;
    event.midiData[0] = static_cast<char>(message->status);
    event.midiData[1] = static_cast<char>(message->data1);
    event.midiData[2] = static_cast<char>(message->data2);
    return mHostEvents.QueueMidi(event);
}

bool IEffectVST::SendSysExMessage(const ISysExMessage* message) {
    if (!message) return false;
    VstMidiSysexEvent event{};
    event.type = kVstSysExType;
    event.byteSize = sizeof(VstMidiSysexEvent);
    event.deltaFrames = message->offset;
    event.dumpBytes = message->size;
    event.sysexDump = const_cast<char*>(reinterpret_cast<const char*>(message->data));
    return mHostEvents.QueueSysEx(event);
}

bool IEffectVST::ChangeBlockSize(int nFrames) {
    const bool changed = IEffectBase::ChangeBlockSize(nFrames);
    try {
        mSilence.assign(static_cast<std::size_t>(BlockSize()), 0.0);
        mDiscard.assign(static_cast<std::size_t>(BlockSize()), 0.0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return changed;
}
