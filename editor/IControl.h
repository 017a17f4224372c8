#pragma once

#include "core/TypedBuffer.h"
#include "editor/IBlend.h"
#include "editor/IBounds.h"
#include "editor/IInputState.h"
#include "editor/ITextStyle.h"

#include <cstdint>

class IEffectBase;
class IGraphics;

// A link from a control to a further parameter it shows besides its own.
struct IAuxParam
{
  double value;
  int32_t paramIdx;
};

// One element of the editor. Its value is the normalised value of the parameter it shows; values
// the plug-in pushes only mark it for redrawing, values the user makes are sent to the plug-in.
class IControl
{
public:
  IControl(IEffectBase* plugin, const IBounds& rect, int paramIdx, const IBlend& blend);
  IControl(const IControl&) = delete;
  IControl& operator=(const IControl&) = delete;

  // Virtual operations in their fixed slot order.
  virtual ~IControl() = default;
  virtual void HandleMouseDown(int x, int y, IMouseFlags* mod);
  virtual void HandleMouseUp(int x, int y, IMouseFlags* mod);
  virtual void HandleMouseDrag(int x, int y, int dX, int dY, IMouseFlags* mod);
  virtual void HandleDoubleClick(int x, int y, IMouseFlags* mod);
  virtual void HandleMouseWheel(int x, int y, IMouseFlags* mod, int notches);
  virtual bool HandleKeyDown(int x, int y, int key);
  virtual void HandleMouseOver(int x, int y, IMouseFlags* mod);
  virtual void HandleMouseOut();
  virtual bool Draw(IGraphics* g) = 0;
  virtual void ApplyPlugValue(double value);
  virtual void ApplyEnteredText(const char* text);
  virtual void SetHidden(bool hide);
  virtual void SetGrayed(bool gray);
  virtual bool HitTest(int x, int y);
  virtual void MarkDirty(bool pushToPlug);
  virtual void FinishDraw();
  virtual bool NeedsDraw();
  virtual void ReservedHook();
  virtual void ApplyAuxPlugValue(int auxIdx, double value);
  virtual void MoveTo(int x, int y);

  // Opens the value prompt of the control's parameter (menu or text entry) on the plug-in's editor,
  // unless the control has no parameter or its prompt is disabled.
  void AskUserValue();
  // A value the user chose through a prompt: stored, drawn twice and sent to the plug-in.
  void ApplyUserValue(double value);
  // The index of the first auxiliary link to paramIdx, or -1.
  int AuxParamIdx(int paramIdx) const;
  bool AddAuxParam(int paramIdx);
  int AuxParamCount() const { return mAuxParams.CountOf<IAuxParam>(); }
  double AuxValue(int auxIdx) const;

  IEffectBase* Plugin() const { return mPlugin; }
  int ParamIdx() const { return mParamIdx; }
  const IBounds& Rect() const { return mRect; }
  const IBounds& HitRect() const { return mHitRect; }
  void SetHitRect(const IBounds& rect) { mHitRect = rect; }
  double Value() const { return mValue; }
  void SetValue(double value) { mValue = value; }
  double DefaultValue() const { return mDefault; }
  void SetClamp(double low, double high) { mClampLow = low; mClampHigh = high; }
  bool IsDirty() const { return mChanged; }
  void SetDirty(bool changed) { mChanged = changed; }
  bool IsRedrawPending() const { return mRedrawPending; }
  bool IsHidden() const { return mHidden; }
  bool IsGrayed() const { return mGreyed; }
  bool NoPrompt() const { return mNoPrompt; }
  const IBlend& Blend() const { return mBlend; }
  int EntryLength() const { return mEntryLength; }
  void SetEntryLength(int length) { mEntryLength = length; }
  const ITextStyle& TextStyle() const { return mTextStyle; }
  ITextStyle* MutableTextStyle() { return &mTextStyle; }
  const char* Tooltip() const { return mTooltip; }
  void SetTooltip(const char* tooltip) { mTooltip = tooltip; }

protected:
  int32_t mEntryLength = 7;
  ITextStyle mTextStyle;
  IEffectBase* mPlugin;
  IBounds mRect;
  IBounds mHitRect;
  int32_t mParamIdx;
  TypedBuffer mAuxParams{4096}; // IAuxParam
  double mValue = 0.0;
  double mDefault = -1.0;
  double mClampLow = 0.0;
  double mClampHigh = 1.0;
  bool mChanged = true;
  bool mHidden = false;
  bool mGreyed = false;
  bool mRedrawPending = false;
  bool mNoPrompt = true;
  IBlend mBlend;
  const char* mTooltip = nullptr;
};
