#pragma once

#include "core/TextBuffer.h"
#include "editor/IControl.h"

// A line of text in a text style, without a parameter.
class ITextControl : public IControl
{
public:
  ITextControl(IEffectBase* plugin, const IBounds& rect, const ITextStyle& style, const char* text);

  bool Draw(IGraphics* g) override;

  const char* Text() const { return mText.Text(); }
  void SetText(const char* text) { mText.Assign(text); }

protected:
  TextBuffer mText{64};
};
