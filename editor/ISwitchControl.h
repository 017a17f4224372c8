#pragma once

#include "editor/IBitmapControl.h"

// A switch that steps through its strip's frames on every click and wraps around after the last:
// a two-frame switch toggles, a four-frame selector steps 0, 1/3, 2/3, 1, 0.
class ISwitchControl : public IBitmapControl
{
public:
  using IBitmapControl::IBitmapControl;

  void HandleMouseDown(int x, int y, IMouseFlags* mod) override;
  // The second click of a double click is one more step.
  void HandleDoubleClick(int x, int y, IMouseFlags* mod) override;
};
