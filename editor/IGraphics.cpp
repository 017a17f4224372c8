#include "editor/IGraphics.h"

#include "core/Assert.h"
#include "core/IEffectBase.h"
#include "editor/EditorCaches.h"
#include "editor/IBitmapControl.h"
#include "editor/IControl.h"
#include "raster/Blit.h"
#include "raster/SysBitmap.h"

namespace {
constexpr int kDefaultFrameRate = 25;
constexpr int kVst3Format = 1;
} // namespace

IGraphics::IGraphics(IEffectBase* plugin, int width, int height, int frameRate)
    : mPlugin(plugin), mWidth(width), mHeight(height), mFrameRate(frameRate > 0 ? frameRate : kDefaultFrameRate),
      mPendingValues(plugin ? plugin->ParamCount() : 0)
{
}

IGraphics::~IGraphics()
{
  mControlList.DeleteAll(true);
  delete mBackBuffer;
}

bool IGraphics::MeasureText(ITextStyle* style, const char* text, IBounds* rect)
{
  return RenderText(style, text, rect, true);
}

void IGraphics::ResizeWindow(int w, int h)
{
  mWidth = w;
  mHeight = h;
  EndGesture();
  ResetMouseState();
  mControlList.DeleteAll(true);
  delete mBackBuffer;
  mBackBuffer = nullptr;
  if (mPlugin) mPlugin->ResizeEditor(w, h);
}

bool IGraphics::HasWindow() { return WindowHandle() != nullptr; }

const char* IGraphics::GraphicsApiName() { return ""; }

bool IGraphics::ReservedQuery(void*, void*, void*, void*) { return false; }

void IGraphics::ReservedHook1(void*) {}

void IGraphics::ReservedHook2() {}

void IGraphics::ConcealCursor() {}

void IGraphics::RevealCursor() {}

IBitmapStrip IGraphics::LoadStrip(int resourceId, const char* fileName, int frames, bool horizontal)
{
  Raster_IBitmap* bitmap;
  {
    // Held across the load, so two editors opening at once still decode each image only once.
    PlugMutexLock hold(BitmapCache::Lock());
    bitmap = BitmapCache::Find(resourceId);
    if (!bitmap) {
      bitmap = LoadBitmapResource(resourceId, fileName);
      // The images are part of the build: a missing one is a build defect, not a run-time state.
      QUIL_ASSERT_TEXT(bitmap, "imgResourceFound");
      QUIL_ASSERT_TEXT(BitmapCache::Insert(resourceId, bitmap), "imgCached");
    }
  }
  IBitmapStrip strip;
  strip.bitmap = bitmap;
  strip.width = bitmap->PixelWidth();
  strip.height = bitmap->PixelHeight();
  strip.frames = frames > 0 ? frames : 1;
  strip.horizontal = horizontal;
  return strip;
}

IControl* IGraphics::AddBackground(int resourceId, const char* fileName)
{
  const IBitmapStrip strip = LoadStrip(resourceId, fileName, 1);
  IControl* background = new IBitmapControl(mPlugin, 0, 0, -1, strip, IBlend(kBlendCopy, 1.0f));
  if (!mControlList.Insert(0, background)) {
    delete background;
    return nullptr;
  }
  return background;
}

int IGraphics::AddControl(IControl* control)
{
  if (!mControlList.Append(control)) {
    delete control;
    return -1;
  }
  return mControlList.Count() - 1;
}

Raster_SysBitmap* IGraphics::EnsureBackBuffer()
{
  if (!mBackBuffer) mBackBuffer = new Raster_SysBitmap(mWidth, mHeight);
  return mBackBuffer;
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

void IGraphics::GrayParamControls(int paramIdx, bool gray)
{
  for (int i = 0; i < ControlCount(); ++i) {
    IControl* control = mControlList.At(i);
    if (control->ParamIdx() == paramIdx) control->SetGrayed(gray);
  }
}

void IGraphics::ApplyPendingChanges()
{
  mPendingValues.TakeAll([this](int paramIdx, double value) { ApplyParamToControls(paramIdx, value, true); });
  if (mPlugin) mPlugin->EditorTick();
}

bool IGraphics::CollectDirty(IBounds* rect)
{
  ApplyPendingChanges();
  bool dirty = false;
  for (int i = 0; i < ControlCount(); ++i) {
    IControl* control = mControlList.At(i);
    if (!control->NeedsDraw()) continue;
    *rect = rect->Union(control->Rect());
    dirty = true;
  }
  return dirty;
}

bool IGraphics::RenderRect(IBounds* rect)
{
  if (ControlCount() == 0) return true;
  EnsureBackBuffer();
  mRenderRect = *rect;
  for (int i = 0; i < ControlCount(); ++i) {
    IControl* control = mControlList.At(i);
    if (!control->IsHidden() && rect->Intersects(control->Rect())) control->Draw(this);
    control->FinishDraw();
  }
  return BlitToWindow(rect);
}

int IGraphics::ControlUnder(int x, int y)
{
  for (int i = ControlCount() - 1; i >= 0; --i) {
    IControl* control = mControlList.At(i);
    if (!control->IsHidden() && !control->IsGrayed() && control->HitTest(x, y)) return i;
  }
  return -1;
}

void IGraphics::ResetMouseState()
{
  mMouseX = mMouseY = -1;
  mCaptured = -1;
}

void IGraphics::EndGesture()
{
  if (mGestureParam < 0) return;
  const int paramIdx = mGestureParam;
  mGestureParam = -1;
  if (mPlugin) mPlugin->EndInformHostOfParamChange(paramIdx);
}

void IGraphics::MouseDown(int x, int y, IMouseFlags* mod)
{
  // A release a modal menu swallowed never reached us: close that gesture before a new one.
  EndGesture();
  ResetMouseState();
  const int index = ControlUnder(x, y);
  if (index < 0) return;
  mCaptured = index;
  mMouseX = x;
  mMouseY = y;
  IControl* control = mControlList.At(index);
  const int paramIdx = control->ParamIdx();
  if (mPlugin && paramIdx >= 0) {
    // A VST3 host offers its own parameter menu on a right click; the control never sees it.
    if (mPlugin->PluginFormat() == kVst3Format && mod && mod->right) {
      ResetMouseState();
      mPlugin->ShowHostParamMenu(paramIdx, x, y);
      return;
    }
    mPlugin->BeginInformHostOfParamChange(paramIdx);
    mGestureParam = paramIdx;
  }
  control->HandleMouseDown(x, y, mod);
}

void IGraphics::MouseDrag(int x, int y, IMouseFlags* mod)
{
  IControl* control = mControlList.At(mCaptured);
  if (!control || (x == mMouseX && y == mMouseY)) return;
  const int dX = x - mMouseX, dY = y - mMouseY;
  mMouseX = x;
  mMouseY = y;
  control->HandleMouseDrag(x, y, dX, dY, mod);
}

void IGraphics::MouseUp(int x, int y, IMouseFlags* mod)
{
  const int index = mCaptured >= 0 ? mCaptured : ControlUnder(x, y);
  ResetMouseState();
  if (IControl* control = mControlList.At(index)) control->HandleMouseUp(x, y, mod);
  EndGesture();
}

bool IGraphics::MouseDoubleClick(int x, int y, IMouseFlags* mod)
{
  ResetMouseState();
  IControl* control = mControlList.At(ControlUnder(x, y));
  if (control) control->HandleDoubleClick(x, y, mod);
  return false;
}

void IGraphics::MouseWheel(int x, int y, IMouseFlags* mod, int notches)
{
  IControl* control = mControlList.At(mCaptured >= 0 ? mCaptured : ControlUnder(x, y));
  if (control) control->HandleMouseWheel(x, y, mod, notches);
}

bool IGraphics::KeyDown(int x, int y, int key)
{
  const int index = mCaptured >= 0 ? mCaptured : ControlUnder(x, y);
  // The background never takes keys; the platform passes them on to the host.
  if (index <= 0) return false;
  return mControlList.At(index)->HandleKeyDown(x, y, key);
}

bool IGraphics::MouseOver(int, int, IMouseFlags*)
{
  // Hover tracking is off: no leave notifications, no tooltips.
  return false;
}

void IGraphics::MouseOut()
{
  for (int i = 0; i < ControlCount(); ++i) mControlList.At(i)->HandleMouseOut();
  mHovered = -1;
}

void IGraphics::MouseCaptureLost()
{
  ResetMouseState();
  EndGesture();
}

void IGraphics::WindowClosing()
{
  MouseCaptureLost();
  MouseOut();
}

bool IGraphics::DrawStrip(const IBitmapStrip* strip, const IBounds* dest, int srcX, int srcY, const IBlend* blend)
{
  if (!strip || !dest || !strip->bitmap || !EnsureBackBuffer()) return false;
  const IBounds clip = dest->Intersection(mRenderRect);
  if (clip.Width() <= 0 || clip.Height() <= 0) return true;
  const int left = srcX + clip.left - dest->left, top = srcY + clip.top - dest->top;
  const IBounds source(left, top, left + clip.Width(), top + clip.Height());
  const IBlend shown = blend ? *blend : IBlend();
  Raster_Composite(mBackBuffer, strip->bitmap, clip.left, clip.top, &source, shown.weight, shown.BlitMode());
  return true;
}

bool IGraphics::DrawStripFrame(const IBitmapStrip* strip, const IBounds* dest, int frame, const IBlend* blend)
{
  if (!strip) return false;
  const IBitmapStrip::Offset offset = strip->FrameOffset(frame);
  return DrawStrip(strip, dest, offset.x, offset.y, blend);
}
