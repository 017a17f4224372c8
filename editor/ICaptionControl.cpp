#include "editor/ICaptionControl.h"

#include "core/IEffectBase.h"

ICaptionControl::ICaptionControl(IEffectBase* plugin, const IBounds& rect, int paramIdx, const ITextStyle& style,
                                 bool showLabel)
    : ITextControl(plugin, rect, style, ""), mShowLabel(showLabel)
{
  mParamIdx = paramIdx;
  mNoPrompt = false;
}

void ICaptionControl::HandleMouseDown(int, int, IMouseFlags* mod)
{
  if (mod && (mod->left || mod->right)) AskUserValue();
}

void ICaptionControl::HandleDoubleClick(int, int, IMouseFlags*) { AskUserValue(); }

bool ICaptionControl::Draw(IGraphics* g)
{
  const IEffectParam* param = mPlugin ? mPlugin->Param(mParamIdx) : nullptr;
  if (param) {
    // The text of the value this control holds: the parameter itself may be changing on another
    // thread, and the control's value follows it at the tick.
    char shown[IEffectParam::kDisplaySize];
    param->FormatValue(mValue, true, shown, true);
    if (mShowLabel)
      mText.AssignFormatted(IEffectParam::kDisplaySize * 2, "%s %s", shown, param->UnitText());
    else
      mText.Assign(shown);
  }
  return ITextControl::Draw(g);
}
