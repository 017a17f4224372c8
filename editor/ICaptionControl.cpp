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
    char shown[IEffectParam::kDisplaySize];
    param->FormatCurrent(shown);
    if (mShowLabel)
      mText.AssignFormatted(IEffectParam::kDisplaySize * 2, "%s %s", shown, param->UnitText());
    else
      mText.Assign(shown);
  }
  return ITextControl::Draw(g);
}
