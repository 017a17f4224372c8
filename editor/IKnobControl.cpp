#include "editor/IKnobControl.h"

namespace {
constexpr double kFineFactor = 10.0;
constexpr double kWheelStep = 0.01;
constexpr double kFineWheelStep = 0.001;

bool WantsFineSteps(const IMouseFlags* mod) { return mod && (mod->control || mod->shift); }
} // namespace

IKnobControl::IKnobControl(IEffectBase* plugin, const IBounds& rect, int paramIdx, int direction, double gearing)
    : IControl(plugin, rect, paramIdx, IBlend(kBlendOver, 1.0f)), mDirection(direction), mGearing(gearing)
{
}

void IKnobControl::HandleMouseDrag(int, int, int dX, int dY, IMouseFlags* mod)
{
  const double gearing = WantsFineSteps(mod) ? mGearing * kFineFactor : mGearing;
  // Up and right raise the value: the vertical span is taken top minus bottom, a negative number.
  if (mDirection == kKnobVertical)
    mValue += static_cast<double>(dY) / static_cast<double>(mRect.top - mRect.bottom) / gearing;
  else
    mValue += static_cast<double>(dX) / static_cast<double>(mRect.right - mRect.left) / gearing;
  MarkDirty(true);
}

void IKnobControl::HandleMouseWheel(int, int, IMouseFlags* mod, int notches)
{
  mValue += notches * (WantsFineSteps(mod) ? kFineWheelStep : kWheelStep);
  MarkDirty(true);
}
