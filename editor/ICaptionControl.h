#pragma once

#include "editor/ITextControl.h"

// Shows its parameter's display text and opens the parameter's value prompt on any click.
class ICaptionControl : public ITextControl
{
public:
  // showLabel appends the parameter's unit after a space.
  ICaptionControl(IEffectBase* plugin, const IBounds& rect, int paramIdx, const ITextStyle& style, bool showLabel);

  void HandleMouseDown(int x, int y, IMouseFlags* mod) override;
  void HandleDoubleClick(int x, int y, IMouseFlags* mod) override;
  bool Draw(IGraphics* g) override;

protected:
  bool mShowLabel;
};
