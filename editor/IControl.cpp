#include "editor/IControl.h"

#include "core/Assert.h"
#include "core/IEffectBase.h"

IControl::IControl(IEffectBase* plugin, int paramIdx) : mPlugin(plugin), mParamIdx(paramIdx) {}

void IControl::ApplyPlugValue(double value)
{
  // The first value a control receives is also the one a double click returns to.
  if (mDefault < 0.0) {
    mValue = mDefault = value;
    return;
  }
  if (value == mValue) return; // NaN compares unequal, so it counts as a change
  mValue = value;
  MarkDirty(false);
  mRedrawPending = true;
}

void IControl::ApplyAuxPlugValue(int auxIdx, double value)
{
  QUIL_ASSERT_TEXT(auxIdx > -1 && auxIdx < AuxParamCount(), "idx > -1 && idx < mAuxParams.GetSize()");
  IAuxParam& link = mAuxParams.Get<IAuxParam>()[auxIdx];
  if (value == link.value) return;
  link.value = value;
  MarkDirty(false);
  mRedrawPending = true;
}

void IControl::MarkDirty(bool pushToPlug)
{
  if (mValue < mClampLow)
    mValue = mClampLow;
  else if (mValue > mClampHigh)
    mValue = mClampHigh;
  mChanged = true;
  if (pushToPlug && mPlugin && mParamIdx >= 0) mPlugin->SetParameterFromGUI(mParamIdx, mValue);
}

int IControl::AuxParamIdx(int paramIdx) const
{
  const IAuxParam* links = mAuxParams.Get<IAuxParam>();
  for (int i = 0; i < AuxParamCount(); ++i) {
    if (links[i].paramIdx == paramIdx) return i;
  }
  return -1;
}

bool IControl::AddAuxParam(int paramIdx)
{
  const int count = AuxParamCount();
  if (!mAuxParams.SetCount<IAuxParam>(count + 1, false)) return false;
  mAuxParams.Get<IAuxParam>()[count] = IAuxParam{0.0, paramIdx};
  return true;
}

double IControl::AuxValue(int auxIdx) const
{
  QUIL_ASSERT_TEXT(auxIdx > -1 && auxIdx < AuxParamCount(), "idx > -1 && idx < mAuxParams.GetSize()");
  return mAuxParams.Get<IAuxParam>()[auxIdx].value;
}
