#include "editor/IInvisibleSwitchControl.h"

IInvisibleSwitchControl::IInvisibleSwitchControl(IEffectBase* plugin, const IBounds& rect, int paramIdx)
    : IControl(plugin, rect, paramIdx, IBlend(kBlendCopy, 1.0f))
{
}

void IInvisibleSwitchControl::HandleMouseDown(int, int, IMouseFlags*)
{
  mValue = mValue < 0.5 ? 1.0 : 0.0;
  MarkDirty(true);
}

bool IInvisibleSwitchControl::Draw(IGraphics*) { return true; }
