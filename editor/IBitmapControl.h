#pragma once

#include "editor/IBitmapStrip.h"
#include "editor/IControl.h"

// Shows the frame of its image strip that matches its value.
class IBitmapControl : public IControl
{
public:
  // The control covers one frame of the strip with its top-left corner at (x, y).
  IBitmapControl(IEffectBase* plugin, int x, int y, int paramIdx, const IBitmapStrip& strip, const IBlend& blend);

  bool Draw(IGraphics* g) override;

  const IBitmapStrip& Strip() const { return mStrip; }

protected:
  IBitmapStrip mStrip;
};
