#include "effect/FenwoxQuil.h"

#include <algorithm>
#include <cstring>
#include <limits>


namespace {

// Host rates outside this span (0, negative, NaN, absurdly high) are not taken: converting them to
// int could overflow, and the engine would size its memory for them.
constexpr double kLowestRate = 1.0;
constexpr double kHighestRate = 1536000.0;

int TruncatedRate(double rate) { return rate >= kLowestRate && rate <= kHighestRate ? static_cast<int>(rate) : 0; }

}  // namespace

void FenwoxQuil::Construct() {
  DefineParameters();
  BuildEditor();
  MakeDefaultPresets("-", 1);
  // Prepares the engine for 44100 Hz until the host's first reset.
  mEngine.SetOversampling(1);
  mTempo = 0.0;
}

void FenwoxQuil::DefineParameters() {
  IEffectParam* range = Param(kDelayRange);
  range->DefineChoice("Delay range", 0, 4);
  range->AddValueText(0, "12.5ms - 50ms");
  range->AddValueText(1, "50ms - 200ms");
  range->AddValueText(2, "200ms - 800ms");
  range->AddValueText(3, "hold");
  Param(kTime)->DefineRange("Time", 1.0, 1.0, 100.0, 1.0, "%");
  Param(kFeedback)->DefineRange("Feedback", 0.0, 0.0, 100.0, 1.0, "%");
  Param(kEffectLevel)->DefineRange("Effect Level", 0.0, 0.0, 100.0, 1.0, "%");
  Param(kAnalogSat)->DefineToggle("Analog Sat.", true);
  Param(kAnalogHiss)->DefineToggle("Analog Hiss", true);
  Param(kStereoMode)->DefineToggle("Stereo Mode", false);
  Param(kEffectActive)->DefineToggle("Effect Active", false);
  IEffectParam* sync = Param(kSync16th);
  sync->DefineChoice("Sync 16th", 0, 9);
  sync->AddValueText(0, "off");
  const char* const counts[] = {"1", "2", "3", "4", "5", "6", "7", "8"};
  for (int i = 0; i < 8; ++i) sync->AddValueText(i + 1, counts[i]);
}

void FenwoxQuil::ResetDsp() {
  PlugMutexLock lock(Mutex());
  const int rate = TruncatedRate(SampleRate());
  mEngine.SetSampleRate(rate);
  if (mLastRate != rate) {
    mLastRate = rate;
    mEngine.Prepare();
  }
  mEngine.SetAuxCount(1);
  mEngine.SetAuxValue(1.0);
}

void FenwoxQuil::ParameterChanged(int paramIdx, bool) {
  PlugMutexLock lock(Mutex());
  const IEffectParam* param = Param(paramIdx);
  if (!param) return;
  const double value = param->Value();
  switch (paramIdx) {
    case kDelayRange:
      ApplyDelayRange();
      break;
    case kTime:
      // While synchronised the host tempo sets the time.
      if (Param(kSync16th)->Value() == 0.0) mEngine.SetDelayTime(param->ToNormalized());
      break;
    case kFeedback:
      mEngine.mFeedback = param->ToNormalized();
      break;
    case kEffectLevel:
      mEngine.mEffectLevel = param->ToNormalized();
      break;
    case kStereoMode:
      mStereo = value >= 0.5;
      mEngine.mStereoMode = mStereo;
      break;
    case kAnalogSat:
      mEngine.mSaturation = value >= 0.5;
      break;
    case kAnalogHiss:
      mEngine.mHiss = value >= 0.5;
      break;
    case kSync16th:
      ApplySync();
      break;
    case kEffectActive:
      mEngine.mEffectActive = value >= 0.5;
      if (Editor()) ShowEffectActiveOnLed();
      break;
    default:
      break;
  }
}

// A host may leave the choice at tenths (1.2 shows "50ms - 200ms"); only whole values select.
void FenwoxQuil::ApplyDelayRange() {
  const double value = Param(kDelayRange)->Value();
  for (int mode = 0; mode < 4; ++mode) {
    if (value == mode) mEngine.SetDelayRange(mode);
  }
}

// Sixteenth notes at the host tempo; tenths of the choice count. Without a tempo this is infinite
// (the longest time) when synchronised and not a number when not; it is above 0 only while
// synchronised.
double FenwoxQuil::SyncedMs() const { return 60.0 / mTempo * 0.25 * 1000.0 * Param(kSync16th)->Value(); }

void FenwoxQuil::ApplySync() {
  const double ms = SyncedMs();
  if (!(ms > 0.0)) {
    ApplyDelayRange();
    if (Editor()) GreyTimeControls(false);
    return;
  }
  double t;
  if (ms <= 50.0) {
    mEngine.SetDelayRange(0);
    t = (ms - 12.5) / 37.5;
  } else if (ms <= 200.0) {
    mEngine.SetDelayRange(1);
    t = (ms - 50.0) / 150.0;
  } else {
    mEngine.SetDelayRange(2);
    t = (ms - 200.0) / 600.0;
  }
  mEngine.SetDelayTime(std::clamp(t, 0.0, 1.0));
  if (Editor()) GreyTimeControls(true);
}

// Only a synchronised delay follows the tempo. Re-applying the range for a tempo change while sync
// is off would erase a held loop (and clear the whole memory here, on the audio thread) on every
// block of a tempo ramp. A tempo that is no tempo (NaN, infinite, negative) is ignored.
void FenwoxQuil::FollowHostTempo() {
  const double tempo = HostTempo();
  if (!(tempo >= 0.0 && tempo < std::numeric_limits<double>::infinity()) || tempo == mTempo) return;
  const double before = SyncedMs();
  mTempo = tempo;
  const double ms = SyncedMs();
  if (ms > 0.0 && ms != before) ParameterChanged(kSync16th, false);
}

void FenwoxQuil::ProcessBlock(double** inputs, double** outputs, int nFrames) {
  if (nFrames < 1) return;
  FollowHostTempo();

  // The engine runs mono on the average of both inputs, in place in the right output; in stereo
  // mode its dry signal goes straight to the left one. Each input sample is read before the
  // output at its position is written, so hosts may process in place.
  const double* left = inputs[0];
  const double* right = inputs[1];
  double* wet = outputs[1];
  for (int i = 0; i < nFrames; ++i) wet[i] = (left[i] + right[i]) * 0.5;
  mEngine.ProcessSamplesWithDry(wet, mStereo ? outputs[0] : nullptr, nFrames);
  if (!mStereo && outputs[0] != wet) std::memcpy(outputs[0], wet, sizeof(double) * nFrames);
}
