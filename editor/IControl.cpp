#include "editor/IControl.h"

#include "core/Assert.h"
#include "core/IEffectBase.h"
#include "editor/IGraphics.h"

#include <cmath>

IControl::IControl(IEffectBase* plugin, const IBounds& rect, int paramIdx, const IBlend& blend)
    : mPlugin(plugin), mRect(rect), mHitRect(rect), mParamIdx(paramIdx), mBlend(blend)
{
}

void IControl::HandleMouseDown(int, int, IMouseFlags* mod)
{
  if (mod && mod->right) AskUserValue();
}

void IControl::HandleMouseUp(int, int, IMouseFlags*) {}

void IControl::HandleMouseDrag(int, int, int, int, IMouseFlags*) {}

void IControl::HandleDoubleClick(int, int, IMouseFlags*)
{
  if (mDefault < 0.0) return;
  mValue = mDefault;
  MarkDirty(true);
}

void IControl::HandleMouseWheel(int, int, IMouseFlags*, int) {}

bool IControl::HandleKeyDown(int, int, int) { return false; }

void IControl::HandleMouseOver(int, int, IMouseFlags*) {}

void IControl::HandleMouseOut() {}

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

void IControl::ApplyEnteredText(const char*) {}

void IControl::SetHidden(bool hide)
{
  mHidden = hide;
  mRedrawPending = true;
  mBlend.weight = hide ? 0.0f : 1.0f;
  MarkDirty(false);
}

void IControl::SetGrayed(bool gray)
{
  mGreyed = gray;
  mBlend.weight = gray ? 0.25f : 1.0f;
  MarkDirty(false);
}

bool IControl::HitTest(int x, int y) { return mHitRect.Contains(x, y); }

void IControl::MarkDirty(bool pushToPlug)
{
  if (mValue < mClampLow)
    mValue = mClampLow;
  else if (mValue > mClampHigh)
    mValue = mClampHigh;
  mChanged = true;
  if (pushToPlug && mPlugin && mParamIdx >= 0) mPlugin->SetParameterFromGUI(mParamIdx, mValue);
}

void IControl::FinishDraw()
{
  mChanged = mRedrawPending;
  mRedrawPending = false;
}

bool IControl::NeedsDraw() { return mChanged; }

void IControl::ReservedHook() {}

void IControl::ApplyAuxPlugValue(int auxIdx, double value)
{
  QUIL_ASSERT_TEXT(auxIdx > -1 && auxIdx < AuxParamCount(), "idx > -1 && idx < mAuxParams.GetSize()");
  IAuxParam& link = mAuxParams.Get<IAuxParam>()[auxIdx];
  if (value == link.value) return;
  link.value = value;
  MarkDirty(false);
  mRedrawPending = true;
}

void IControl::MoveTo(int x, int y)
{
  mRect.MoveTo(x, y);
  mHitRect = mRect;
}

void IControl::AskUserValue()
{
  if (mParamIdx < 0 || mNoPrompt || !mPlugin) return;
  IEffectParam* param = mPlugin->Param(mParamIdx);
  IGraphics* editor = mPlugin->Editor();
  if (!param || !editor) return;
  IBounds anchor = mRect;
  if (param->ValueTextCount() == 0) {
    // Rebuilt from centre and half-extents in single precision: an odd size loses its last pixel.
    const auto halfOf = [](int32_t sum) { return static_cast<int32_t>(std::trunc(static_cast<float>(sum) * 0.5f)); };
    const int32_t cx = halfOf(mRect.left + mRect.right), cy = halfOf(mRect.top + mRect.bottom);
    const int32_t hw = halfOf(mRect.right - mRect.left), hh = halfOf(mRect.bottom - mRect.top);
    anchor = IBounds(cx - hw, cy - hh, cx + hw, cy + hh);
  }
  editor->PromptParamValue(this, param, &anchor);
  mRedrawPending = true;
}

void IControl::ApplyUserValue(double value)
{
  if (value == mValue) return;
  mValue = value;
  MarkDirty(true);
  mRedrawPending = true;
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
