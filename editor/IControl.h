#pragma once

#include "core/TypedBuffer.h"

#include <cstdint>

class IEffectBase;

// A link from a control to a further parameter it shows besides its own.
struct IAuxParam
{
  double value;
  int32_t paramIdx;
};

// One element of the editor. Its value is the normalised value of the parameter it shows; values
// the plug-in pushes only mark it for redrawing, values the user makes are sent to the plug-in.
class IControl
{
public:
  IControl(IEffectBase* plugin, int paramIdx);
  IControl(const IControl&) = delete;
  IControl& operator=(const IControl&) = delete;

  virtual ~IControl() = default;
  virtual void ApplyPlugValue(double value);
  virtual void MarkDirty(bool pushToPlug);
  virtual void ApplyAuxPlugValue(int auxIdx, double value);

  // The index of the first auxiliary link to paramIdx, or -1.
  int AuxParamIdx(int paramIdx) const;
  bool AddAuxParam(int paramIdx);
  int AuxParamCount() const { return mAuxParams.CountOf<IAuxParam>(); }
  double AuxValue(int auxIdx) const;

  int ParamIdx() const { return mParamIdx; }
  double Value() const { return mValue; }
  void SetValue(double value) { mValue = value; }
  double DefaultValue() const { return mDefault; }
  bool IsDirty() const { return mChanged; }
  void SetDirty(bool changed) { mChanged = changed; }
  bool IsRedrawPending() const { return mRedrawPending; }

protected:
  IEffectBase* mPlugin;
  int32_t mParamIdx;
  TypedBuffer mAuxParams{4096}; // IAuxParam
  double mValue = 0.0;
  double mDefault = -1.0;
  double mClampLow = 0.0;
  double mClampHigh = 1.0;
  bool mChanged = true;
  bool mRedrawPending = false;
};
