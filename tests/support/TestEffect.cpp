#include "tests/support/TestEffect.h"

TestEffect::TestEffect(int nParams, const char* channelIOText, int nPresets, const char* effectName,
                       const char* productName, const char* makerName, int version, int uniqueId, int makerId,
                       int latency, bool doesMidi, bool doesChunks, bool isInstrument, int formatCode)
    : IEffectBase(nParams, channelIOText, nPresets, effectName, productName, makerName, version, uniqueId, makerId,
                  latency, doesMidi, doesChunks, isInstrument, formatCode)
{
}

void TestEffect::BeginInformHostOfParamChange(int paramIdx)
{
  calls.push_back({HostCall::BeginParamChange, paramIdx});
}

void TestEffect::InformHostOfParamChange(int paramIdx, double normalized)
{
  calls.push_back({HostCall::InformParamChange, paramIdx, normalized});
}

void TestEffect::EndInformHostOfParamChange(int paramIdx)
{
  calls.push_back({HostCall::EndParamChange, paramIdx});
}

void TestEffect::NotifyProgramChange()
{
  calls.push_back({HostCall::ProgramChange});
}

void TestEffect::HostTimeSignature(int* num, int* den)
{
  *num = numerator;
  *den = denominator;
}

void TestEffect::ResizeEditor(int width, int height)
{
  HostCall call{HostCall::ResizeEditor};
  call.width = width;
  call.height = height;
  calls.push_back(call);
}

bool TestEffect::SendMidiMessage(const IMidiMessage* message)
{
  HostCall call{HostCall::MidiSent};
  if (message) call.midi = *message;
  calls.push_back(call);
  return true;
}

std::vector<HostCall> TestEffect::CallsOf(HostCall::Kind kind) const
{
  std::vector<HostCall> matching;
  for (const HostCall& call : calls) {
    if (call.kind == kind) matching.push_back(call);
  }
  return matching;
}
