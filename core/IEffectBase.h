#pragma once

#include "core/EHostKind.h"
#include "core/IChannels.h"
#include "core/IChunkBuffer.h"
#include "core/IEffectParam.h"
#include "core/ILatencyDelay.h"
#include "core/IPresetSlot.h"
#include "core/ITransportInfo.h"
#include "core/MidiMessages.h"
#include "core/PlugMutex.h"
#include "core/PtrList.h"
#include "core/TextBuffer.h"
#include "core/TypedBuffer.h"

#include <cstdint>

class IGraphics;

// The format-independent half of every plug-in instance: description, parameters, presets, channel
// records, processing frame, host identity and the attached editor. The host adapter implements the
// pure operations; the plug-in class overrides ResetDsp, ParameterChanged and ProcessBlock.
//
// The processing frame works in blocks of at most BlockSize() frames: the scratch buffers hold that
// many, so RunBlock, RunBlockFloat, RunBlockFloatAdding, PassThrough and the converting AttachInputs
// refuse (return false, nothing processed or attached) a frame count outside 0..BlockSize(). Adapters
// split larger host blocks into pieces.
class IEffectBase
{
public:
  static constexpr int kNameSize = 128;

  IEffectBase(int nParams, const char* channelIOText, int nPresets, const char* effectName, const char* productName,
              const char* makerName, int version, int uniqueId, int makerId, int latency, bool doesMidi,
              bool doesChunks, bool isInstrument, int formatCode);
  IEffectBase(const IEffectBase&) = delete;
  IEffectBase& operator=(const IEffectBase&) = delete;

  // Virtual operations in their fixed slot order.
  virtual ~IEffectBase();
  virtual void ResetDsp();
  virtual void ParameterChanged(int paramIdx, bool restoring);
  virtual void ProcessBlock(double** inputs, double** outputs, int nFrames);
  virtual void ProcessBlockFloat(float** inputs, float** outputs, int nFrames);
  virtual void EditorOpened() {}
  virtual void EditorClosing() {}
  virtual void SpareHook() {}
  virtual void ActivationChanged(bool active);
  virtual void ProcessMidiMessage(const IMidiMessage* message);
  virtual void ProcessSysExMessage(const ISysExMessage*) {}
  virtual bool NameMidiNote(int note, char* name);
  virtual bool StoreState(IChunkBuffer* chunk);
  virtual int RestoreState(const IChunkBuffer* chunk, int startPos);
  virtual bool StateEquals(const double* stored, int firstIndex);
  virtual void EditorResized() {}
  virtual bool SpareQuery() { return false; }
  virtual void HostIdentified() {}
  virtual void ShowHostParamMenu(int, int, int) {}
  virtual void SetParameterFromGUI(int paramIdx, double normalized);
  virtual void BeginInformHostOfParamChange(int paramIdx) = 0;
  virtual void InformHostOfParamChange(int paramIdx, double normalized) = 0;
  virtual void EndInformHostOfParamChange(int paramIdx) = 0;
  virtual void NotifyProgramChange() = 0;
  virtual bool HostIsOffline() { return false; }
  virtual int HostSamplePosition() = 0;
  virtual double HostTempo() = 0;
  virtual void HostTimeSignature(int* numerator, int* denominator) = 0;
  virtual void HostTransport(ITransportInfo* info) = 0;
  virtual EHostKind IdentifyHost() { return mHost; }
  virtual int PluginFormat() { return mFormatCode; }
  virtual void ResizeEditor(int width, int height) = 0;
  virtual void HostSpecificSetup() {}
  virtual void AttachEditor(IGraphics* editor);
  virtual void ChangeLatency(int samples);
  virtual bool SendMidiMessage(const IMidiMessage* message) = 0;
  virtual bool SendSysExMessage(const ISysExMessage*) { return false; }
  virtual bool SerializeParams(IChunkBuffer* chunk);
  virtual int UnserializeParams(const IChunkBuffer* chunk, int startPos);
  virtual void PushParamsToEditor();
  virtual void MarkStateChanged() {}
  virtual void PresetChanged() {}
  // False when a scratch buffer could not be sized; BlockSize() then is what every scratch holds.
  virtual bool ChangeBlockSize(int nFrames);
  // Called on the editor's thread at the start of every redraw tick: the place where a plug-in
  // shows in its editor what it changed on other threads (which never touch editor objects).
  virtual void EditorTick() {}

  // Description.
  const char* EffectName() const { return mEffectName; }
  const char* ProductName() const { return mProductName; }
  const char* MakerName() const { return mMakerName; }
  int UniqueId() const { return mUniqueId; }
  int MakerId() const { return mMakerId; }
  // The packed version, or major * 10000 + minor * 100 + patch when decimal.
  int VersionNumber(bool decimal) const;
  bool DoesMidi() const { return mDoesMidi; }
  bool DoesChunks() const { return mDoesChunks; }
  bool IsInstrument() const { return mIsInstrument; }
  // A negative count matches any count.
  bool LegalIO(int inputs, int outputs) const;
  int LegalIOCount() const { return mLegalIO.Count(); }
  const IChannelIOPair* LegalIOPair(int index) const { return mLegalIO.At(index); }

  // Host.
  void SetHost(const char* productText, int packedVersion);
  EHostKind Host() const { return mHost; }
  int HostVersion() const { return mHostVersion; }
  void SetHostSampleRate(double sampleRate) { mSampleRate = sampleRate; }
  double SampleRate() const { return mSampleRate; }
  int BlockSize() const { return mBlockSize; }
  int Latency() const { return mLatency; }
  int TailSize() const { return mTailSize; }
  bool IsBypassed() const { return mBypassed; }
  PlugMutex& Mutex() { return mMutex; }
  IGraphics* Editor() const { return mEditor; }

  // Parameters.
  int ParamCount() const { return mParams.Count(); }
  IEffectParam* Param(int index) const { return mParams.At(index); }
  void NotifyAllParams();

  // Presets and state.
  int PresetCount() const { return mPresets.Count(); }
  int CurrentPreset() const { return mCurrentPreset; }
  const char* PresetName(int index) const;
  const IPresetSlot* Preset(int index) const { return mPresets.At(index); }
  void ModifyCurrentPreset(const char* name);
  bool RecallPreset(int index);
  void MakeDefaultPresets(const char* name, int count);
  bool SerializePresets(IChunkBuffer* chunk);
  int UnserializePresets(const IChunkBuffer* chunk, int startPos);

  // Channels.
  int InputCount() const { return mInputChannels.Count(); }
  int OutputCount() const { return mOutputChannels.Count(); }
  const char* InputLabel(int index) const;
  const char* OutputLabel(int index) const;
  bool IsInputConnected(int index) const;
  bool IsOutputConnected(int index) const;
  void ConnectInputs(int first, int count, bool connected);
  void ConnectOutputs(int first, int count, bool connected);
  void ConnectExtraChannels();
  void AttachInputs(int first, int count, double** host);
  void AttachOutputs(int first, int count, double** host);
  bool AttachInputs(int first, int count, float** host, int nFrames);
  void AttachOutputs(int first, int count, float** host);

  // The processing frame.
  bool RunBlock(int nFrames);
  bool RunBlockFloat(int nFrames);
  bool RunBlockFloatAdding(int nFrames);
  bool PassThrough(int nFrames);
  bool PassThroughFloat(int nFrames);
  void ClearScratch();

  // Bus names, as the VST3 adapter reports them.
  void SetInputBusLabel(int bus, const char* text);
  void SetOutputBusLabel(int bus, const char* text);
  const char* InputBusLabel(int bus) const;
  const char* OutputBusLabel(int bus) const;

protected:
  // Creates the pass-through delay for the channel counts with length = latency (VST3 and AAX).
  bool CreateLatencyDelay();
  ILatencyDelay* LatencyDelay() const { return mLatencyDelay; }

  PtrList<IChannelIOPair> mLegalIO;
  PlugMutex mMutex;
  char mEffectName[kNameSize];
  char mProductName[kNameSize];
  char mMakerName[kNameSize];
  int32_t mUniqueId;
  int32_t mMakerId;
  int32_t mVersion;
  int32_t mFormatCode;
  EHostKind mHost = HostNotIdentified;
  int32_t mHostVersion = 0;
  bool mDoesChunks;
  bool mIsInstrument;
  bool mDoesMidi;
  bool mBypassed = false;
  int32_t mCurrentPreset = 0;
  double mSampleRate = 44100.0;
  int32_t mBlockSize = 0;
  int32_t mLatency;
  int32_t mTailSize = 0;
  ILatencyDelay* mLatencyDelay = nullptr;
  IGraphics* mEditor = nullptr;
  PtrList<IEffectParam> mParams;
  PtrList<IPresetSlot> mPresets;
  TypedBuffer mInputPointers{4096};  // double*
  TypedBuffer mOutputPointers{4096}; // double*
  PtrList<IInputChannel> mInputChannels;
  PtrList<IOutputChannel> mOutputChannels;
  PtrList<TextBuffer> mInputBusLabels;
  PtrList<TextBuffer> mOutputBusLabels;

private:
  void ParseChannelIO(const char* channelIOText);
  void CreateChannels(int inputs, int outputs);
  bool FramesFit(int nFrames) const { return nFrames >= 0 && nFrames <= mBlockSize; }
  void ConvertOutputs(int nFrames, bool adding);
  void DelayInputs(int nFrames);
};
