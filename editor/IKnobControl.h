#pragma once

#include "editor/IControl.h"

enum EKnobDirection : int32_t { kKnobVertical = 0, kKnobHorizontal = 1 };

// A control turned by dragging and by the mouse wheel. A full sweep from 0 to 1 takes the control's
// height (vertical) or width (horizontal) times the gearing in pixels; shift or control gears it
// down ten times more.
class IKnobControl : public IControl
{
public:
  IKnobControl(IEffectBase* plugin, const IBounds& rect, int paramIdx, int direction, double gearing);

  void HandleMouseDrag(int x, int y, int dX, int dY, IMouseFlags* mod) override;
  void HandleMouseWheel(int x, int y, IMouseFlags* mod, int notches) override;

  int Direction() const { return mDirection; }
  double Gearing() const { return mGearing; }

protected:
  int32_t mDirection;
  double mGearing;
};
