#pragma once

#include "core/IEffectBase.h"

#include <vector>

// What the plug-in told its host.
struct HostCall
{
  enum Kind
  {
    BeginParamChange,
    InformParamChange,
    EndParamChange,
    ProgramChange,
    ResizeEditor,
    MidiSent,
  };
  Kind kind;
  int paramIdx = -1;
  double value = 0.0;
  int width = 0;
  int height = 0;
  IMidiMessage midi = {};
};

// A host adapter without a host, for tests: it implements the operations every adapter must, records
// the calls the plug-in makes to its host and answers the host queries from settable fields. A
// plug-in class can derive from it in place of a real adapter.
class TestEffect : public IEffectBase
{
public:
  TestEffect(int nParams, const char* channelIOText, int nPresets, const char* effectName, const char* productName,
             const char* makerName, int version, int uniqueId, int makerId, int latency, bool doesMidi,
             bool doesChunks, bool isInstrument, int formatCode = 0);

  void BeginInformHostOfParamChange(int paramIdx) override;
  void InformHostOfParamChange(int paramIdx, double normalized) override;
  void EndInformHostOfParamChange(int paramIdx) override;
  void NotifyProgramChange() override;
  int HostSamplePosition() override { return samplePosition; }
  double HostTempo() override { return tempo; }
  void HostTimeSignature(int* numerator, int* denominator) override;
  void HostTransport(ITransportInfo* info) override { *info = transport; }
  void ResizeEditor(int width, int height) override;
  bool SendMidiMessage(const IMidiMessage* message) override;

  // Calls of one kind, in order.
  std::vector<HostCall> CallsOf(HostCall::Kind kind) const;

  using IEffectBase::CreateLatencyDelay;
  using IEffectBase::LatencyDelay;

  std::vector<HostCall> calls;
  int samplePosition = 0;
  double tempo = 120.0;
  int numerator = 4;
  int denominator = 4;
  ITransportInfo transport;
};
