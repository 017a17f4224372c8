#include "editor/IBitmapControl.h"

#include "editor/IGraphics.h"

IBitmapControl::IBitmapControl(IEffectBase* plugin, int x, int y, int paramIdx, const IBitmapStrip& strip,
                               const IBlend& blend)
    : IControl(plugin, strip.FrameBoundsAt(x, y), paramIdx, blend), mStrip(strip)
{
}

bool IBitmapControl::Draw(IGraphics* g)
{
  return g->DrawStripFrame(&mStrip, &mRect, mStrip.FrameForValue(mValue), &mBlend);
}
