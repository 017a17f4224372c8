#include "core/IEffectBase.h"

#include "core/Assert.h"
#include "core/BoundedText.h"
#include "editor/IControl.h"
#include "editor/IGraphics.h"

#include <cmath>
#include <cstdio>
#include <cstring>

IEffectBase::IEffectBase(int nParams, const char* channelIOText, int nPresets, const char* effectName,
                         const char* productName, const char* makerName, int version, int uniqueId, int makerId,
                         int latency, bool doesMidi, bool doesChunks, bool isInstrument, int formatCode)
    : mUniqueId(uniqueId),
      mMakerId(makerId),
      mVersion(version),
      mFormatCode(formatCode),
      mDoesChunks(doesChunks),
      mIsInstrument(isInstrument),
      mDoesMidi(doesMidi),
      mLatency(latency)
{
  CopyBounded(mEffectName, effectName);
  CopyBounded(mProductName, productName);
  CopyBounded(mMakerName, makerName);

  for (int i = 0; i < nParams; ++i) {
    IEffectParam* param = new IEffectParam;
    if (!mParams.Append(param)) delete param;
  }
  for (int i = 0; i < nPresets; ++i) {
    IPresetSlot* slot = new IPresetSlot;
    if (!mPresets.Append(slot)) delete slot;
  }
  ParseChannelIO(channelIOText);
}

IEffectBase::~IEffectBase()
{
  delete mEditor;
  mParams.DeleteAll(true);
  mPresets.DeleteAll(true);
  mInputChannels.DeleteAll(true);
  mOutputChannels.DeleteAll(true);
  mLegalIO.DeleteAll(true);
  mInputBusLabels.DeleteAll(true);
  mOutputBusLabels.DeleteAll(true);
  delete mLatencyDelay;
}

// "1-1 2-2": space-separated pairs of input and output counts. Channel records are made for the
// largest count seen each way.
void IEffectBase::ParseChannelIO(const char* channelIOText)
{
  int maxInputs = 0;
  int maxOutputs = 0;
  for (const char* pair = channelIOText; pair;) {
    int inputs = 0;
    int outputs = 0;
    const bool channelIOStrValid = std::sscanf(pair, "%d-%d", &inputs, &outputs) == 2;
    QUIL_ASSERT(channelIOStrValid);
    IChannelIOPair* legal = new IChannelIOPair{inputs, outputs};
    if (!mLegalIO.Append(legal)) delete legal;
    if (inputs > maxInputs) maxInputs = inputs;
    if (outputs > maxOutputs) maxOutputs = outputs;
    pair = std::strchr(pair, ' ');
    if (pair) ++pair;
  }

  CreateChannels(maxInputs, maxOutputs);
}

void IEffectBase::ResetDsp()
{
  PlugMutexLock lock(mMutex);
}

void IEffectBase::ParameterChanged(int, bool)
{
  PlugMutexLock lock(mMutex);
}

void IEffectBase::ActivationChanged(bool)
{
  PlugMutexLock lock(mMutex);
}

void IEffectBase::ProcessMidiMessage(const IMidiMessage* message)
{
  SendMidiMessage(message);
}

bool IEffectBase::NameMidiNote(int, char* name)
{
  if (name) name[0] = '\0';
  return false;
}

bool IEffectBase::StoreState(IChunkBuffer* chunk)
{
  return SerializeParams(chunk);
}

int IEffectBase::RestoreState(const IChunkBuffer* chunk, int startPos)
{
  return UnserializeParams(chunk, startPos);
}

bool IEffectBase::StateEquals(const double* stored, int firstIndex)
{
  if (!stored) return false;
  for (int i = 0; i < ParamCount(); ++i) {
    const float difference = static_cast<float>(Param(i)->Value()) - static_cast<float>(stored[firstIndex + i]);
    if (!(std::fabs(difference) < 0.00001f)) return false;
  }
  return true;
}

void IEffectBase::SetParameterFromGUI(int paramIdx, double normalized)
{
  {
    PlugMutexLock lock(mMutex);
    IEffectParam* param = Param(paramIdx);
    if (!param) return;
    param->SetFromNormalized(normalized);
    ParameterChanged(paramIdx, false);
  }
  // A host's perform-edit may wait for its audio thread, which needs the lock for its next block.
  InformHostOfParamChange(paramIdx, normalized);
}

void IEffectBase::AttachEditor(IGraphics* editor)
{
  if (!editor) return;
  PlugMutexLock lock(mMutex);
  for (int i = 0; i < ParamCount(); ++i) {
    const double normalized = Param(i)->ToNormalized();
    for (int c = 0; c < editor->ControlCount(); ++c) {
      IControl* control = editor->Control(c);
      if (control->ParamIdx() == i) control->ApplyPlugValue(normalized);
      const int auxIdx = control->AuxParamIdx(i);
      if (auxIdx >= 0) control->ApplyAuxPlugValue(auxIdx, normalized);
    }
  }
  if (mEditor != editor) delete mEditor;
  mEditor = editor;
}

void IEffectBase::PushParamsToEditor()
{
  if (!mEditor) return;
  // Restores run on host threads: the controls follow at the editor's next tick.
  for (int i = 0; i < ParamCount(); ++i) mEditor->PostParamValue(i, Param(i)->ToNormalized());
}

void IEffectBase::ChangeLatency(int samples)
{
  mLatency = samples;
  if (mLatencyDelay) mLatencyDelay->SetLength(samples);
}

bool IEffectBase::CreateLatencyDelay()
{
  if (InputCount() < 1) return false;
  delete mLatencyDelay;
  mLatencyDelay = new ILatencyDelay(InputCount(), OutputCount());
  return mLatencyDelay->SetLength(mLatency);
}

int IEffectBase::VersionNumber(bool decimal) const
{
  if (!decimal) return mVersion;
  const int major = (mVersion >> 16) & 0xFFFF;
  const int minor = (mVersion >> 8) & 0xFF;
  const int patch = mVersion & 0xFF;
  return major * 10000 + minor * 100 + patch;
}

bool IEffectBase::LegalIO(int inputs, int outputs) const
{
  for (int i = 0; i < mLegalIO.Count(); ++i) {
    const IChannelIOPair* pair = mLegalIO.At(i);
    if ((inputs < 0 || inputs == pair->inputs) && (outputs < 0 || outputs == pair->outputs)) return true;
  }
  return false;
}

void IEffectBase::SetHost(const char* productText, int packedVersion)
{
  mHost = HostKindFromProduct(productText);
  mHostVersion = packedVersion;
}

void IEffectBase::NotifyAllParams()
{
  for (int i = 0; i < ParamCount(); ++i) ParameterChanged(i, false);
}

const char* IEffectBase::InputBusLabel(int bus) const
{
  const TextBuffer* label = mInputBusLabels.At(bus);
  return label ? label->Text() : nullptr;
}

const char* IEffectBase::OutputBusLabel(int bus) const
{
  const TextBuffer* label = mOutputBusLabels.At(bus);
  return label ? label->Text() : nullptr;
}

namespace {

void ReplaceLabel(PtrList<TextBuffer>& labels, int bus, const char* text)
{
  delete labels.Remove(bus);
  TextBuffer* label = new TextBuffer(128);
  if (!label->Assign(text) || !labels.Insert(bus, label)) delete label;
}

} // namespace

void IEffectBase::SetInputBusLabel(int bus, const char* text)
{
  if (bus == 0 || bus == 1) ReplaceLabel(mInputBusLabels, bus, text);
}

void IEffectBase::SetOutputBusLabel(int bus, const char* text)
{
  if (bus >= 0) ReplaceLabel(mOutputBusLabels, bus, text);
}
