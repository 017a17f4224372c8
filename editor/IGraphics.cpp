#include "editor/IGraphics.h"

#include "core/IEffectBase.h"
#include "editor/IControl.h"
#include "raster/SysBitmap.h"

namespace {
constexpr int kDefaultFrameRate = 25;
}

IGraphics::IGraphics(IEffectBase* plugin, int width, int height, int frameRate)
    : mPlugin(plugin), mWidth(width), mHeight(height), mFrameRate(frameRate > 0 ? frameRate : kDefaultFrameRate)
{
}

IGraphics::~IGraphics()
{
  mControlList.DeleteAll(true);
  delete mBackBuffer;
}

void IGraphics::CreateBackBuffer()
{
  delete mBackBuffer;
  mBackBuffer = new Raster_SysBitmap(mWidth, mHeight);
}

int IGraphics::AddControl(IControl* control)
{
  if (!mControlList.Append(control)) {
    delete control;
    return -1;
  }
  return mControlList.Count() - 1;
}

void IGraphics::ApplyParamToControls(int paramIdx, double value, bool normalized)
{
  if (!normalized) {
    const IEffectParam* param = mPlugin ? mPlugin->Param(paramIdx) : nullptr;
    if (!param) return;
    value = param->ToNormalized(value);
  }
  for (int i = 0; i < ControlCount(); ++i) {
    IControl* control = mControlList.At(i);
    if (control->ParamIdx() == paramIdx) control->ApplyPlugValue(value);
    const int auxIdx = control->AuxParamIdx(paramIdx);
    if (auxIdx >= 0) control->ApplyAuxPlugValue(auxIdx, value);
  }
}
