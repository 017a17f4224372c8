#pragma once

#include <utility>

#include "effect/DelayEngine.h"

// The host adapter this build derives from: every deliverable compiles this class against its own
// adapter (see quil_add_plugin_class), which passes the description on to IEffectBase.
#if !defined(QUIL_ADAPTER_HEADER) || !defined(QUIL_ADAPTER_CLASS)
#error "QUIL_ADAPTER_HEADER and QUIL_ADAPTER_CLASS name the host adapter the plug-in derives from"
#endif
#include QUIL_ADAPTER_HEADER

// The delay plug-in: its fixed description and nine parameters, the mapping of parameter values and
// host tempo onto the delay engine, and the audio path around the engine.
class FenwoxQuil : public QUIL_ADAPTER_CLASS {
 public:
  enum EParam {
    kDelayRange = 0,
    kTime,
    kFeedback,
    kEffectLevel,
    kStereoMode,
    kAnalogSat,
    kAnalogHiss,
    kSync16th,
    kEffectActive,
    kNumParams
  };

  // Arguments an adapter needs beyond the description (for example a host callback) come first and
  // are passed through to it.
  template <typename... AdapterArgs>
  explicit FenwoxQuil(AdapterArgs&&... adapterArgs)
      : QUIL_ADAPTER_CLASS(std::forward<AdapterArgs>(adapterArgs)..., kNumParams, "1-1 2-2", 1, "FenwoxQuil",
                           "", "Fenwox", 0x10003, FourCharCode("Quil"), FourCharCode("FnWx"), 0, true, false,
                           false) {
    Construct();
  }

  void ResetDsp() override;
  void ParameterChanged(int paramIdx, bool restoring) override;
  void ProcessBlock(double** inputs, double** outputs, int nFrames) override;

  // Four characters packed into an int, the first in the most significant byte.
  static constexpr int FourCharCode(const char (&code)[5]) {
    return static_cast<int>((static_cast<unsigned>(static_cast<unsigned char>(code[0])) << 24) |
                            (static_cast<unsigned>(static_cast<unsigned char>(code[1])) << 16) |
                            (static_cast<unsigned>(static_cast<unsigned char>(code[2])) << 8) |
                            static_cast<unsigned>(static_cast<unsigned char>(code[3])));
  }

  const DelayEngine& Engine() const { return mEngine; }
  // Lets renders and tests fix the noise sequence.
  void SeedNoise(std::uint32_t seed) { mEngine.SeedNoise(seed); }
  double Tempo() const { return mTempo; }
  int LastRate() const { return mLastRate; }
  int LedControl() const { return mLedControl; }

 private:
  void Construct();
  void DefineParameters();
  void ApplyDelayRange();
  void ApplySync();
  double SyncedMs() const;
  void FollowHostTempo();
  // The pedal editor, handed to AttachEditor.
  void BuildEditor();
  // Editor reactions, called only while an editor is attached.
  void GreyTimeControls(bool grey);
  void ShowEffectActiveOnLed();

  DelayEngine mEngine;
  bool mStereo = false;
  double mTempo = 0.0;
  // The editor control of the check LED.
  int mLedControl = -1;
  int mLastRate = 0;
};
