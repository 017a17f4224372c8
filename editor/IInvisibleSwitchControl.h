#pragma once

#include "editor/IControl.h"

// An area of the picture that toggles its parameter when clicked; it draws nothing itself.
class IInvisibleSwitchControl : public IControl
{
public:
  IInvisibleSwitchControl(IEffectBase* plugin, const IBounds& rect, int paramIdx);

  void HandleMouseDown(int x, int y, IMouseFlags* mod) override;
  bool Draw(IGraphics* g) override;
};
