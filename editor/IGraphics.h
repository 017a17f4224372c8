#pragma once

#include "core/PtrList.h"

#include <cstdint>

class IControl;
class IEffectBase;
class Raster_SysBitmap;

// The platform-neutral editor: it owns the controls in drawing order (index 0 is the background)
// and keeps them in step with the plug-in's parameters.
class IGraphics
{
public:
  IGraphics(IEffectBase* plugin, int width, int height, int frameRate);
  IGraphics(const IGraphics&) = delete;
  IGraphics& operator=(const IGraphics&) = delete;
  virtual ~IGraphics();

  // Appends the control, which the editor owns from now on; returns its index, or -1 when the list
  // could not grow (the control is then deleted).
  int AddControl(IControl* control);
  // (Re)creates the back buffer every control draws into, mWidth x mHeight pixels.
  void CreateBackBuffer();
  // Pushes a parameter's value to every control showing it; a plain value is normalised first.
  void ApplyParamToControls(int paramIdx, double value, bool normalized);

  IEffectBase* Plugin() const { return mPlugin; }
  Raster_SysBitmap* BackBuffer() const { return mBackBuffer; }
  int Width() const { return mWidth; }
  int Height() const { return mHeight; }
  int FrameRate() const { return mFrameRate; }
  int ControlCount() const { return mControlList.Count(); }
  IControl* Control(int index) const { return mControlList.At(index); }

protected:
  PtrList<IControl> mControlList;
  IEffectBase* mPlugin;
  Raster_SysBitmap* mBackBuffer = nullptr;
  int32_t mWidth;
  int32_t mHeight;
  int32_t mFrameRate;
};
