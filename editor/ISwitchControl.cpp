#include "editor/ISwitchControl.h"

namespace {
// Steps that land a hair above 1 through rounding still count as the last position.
constexpr double kWrapAbove = 1.001;
} // namespace

void ISwitchControl::HandleMouseDown(int, int, IMouseFlags* mod)
{
  if (mod && mod->right)
    AskUserValue();
  else
    mValue += mStrip.frames > 1 ? 1.0 / (mStrip.frames - 1) : 1.0;
  if (mValue > kWrapAbove) mValue = 0.0;
  MarkDirty(true);
}

void ISwitchControl::HandleDoubleClick(int x, int y, IMouseFlags* mod) { HandleMouseDown(x, y, mod); }
