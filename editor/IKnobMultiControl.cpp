#include "editor/IKnobMultiControl.h"

#include "editor/IGraphics.h"

IKnobMultiControl::IKnobMultiControl(IEffectBase* plugin, int x, int y, int paramIdx, const IBitmapStrip& strip,
                                     int direction, double gearing)
    : IKnobControl(plugin, strip.FrameBoundsAt(x, y), paramIdx, direction, gearing), mStrip(strip)
{
}

bool IKnobMultiControl::Draw(IGraphics* g)
{
  return g->DrawStripFrame(&mStrip, &mRect, mStrip.FrameForValue(mValue), &mBlend);
}
