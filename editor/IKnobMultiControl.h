#pragma once

#include "editor/IBitmapStrip.h"
#include "editor/IKnobControl.h"

// A knob drawn as the frame of an image strip that matches its value.
class IKnobMultiControl : public IKnobControl
{
public:
  // The control covers one frame of the strip with its top-left corner at (x, y).
  IKnobMultiControl(IEffectBase* plugin, int x, int y, int paramIdx, const IBitmapStrip& strip, int direction,
                    double gearing);

  bool Draw(IGraphics* g) override;

  const IBitmapStrip& Strip() const { return mStrip; }

protected:
  IBitmapStrip mStrip;
};
