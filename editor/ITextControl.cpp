#include "editor/ITextControl.h"

#include "editor/IGraphics.h"

ITextControl::ITextControl(IEffectBase* plugin, const IBounds& rect, const ITextStyle& style, const char* text)
    : IControl(plugin, rect, -1, IBlend(kBlendOver, 1.0f))
{
  mTextStyle = style;
  mText.Assign(text);
}

bool ITextControl::Draw(IGraphics* g)
{
  if (mText.Length() == 0) return true;
  return g->RenderText(&mTextStyle, mText.Text(), &mRect, false);
}
