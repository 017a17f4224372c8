#pragma once

#include "editor/IBounds.h"
#include "editor/ITextStyle.h"

#include <functional>
#include <memory>
#include <string>

struct _XDisplay;
union _XEvent;
class IControl;
class IEffectParam;
class Raster_CachedFont;
class X11Canvas;

// The in-place text field: a child window over the control being edited, drawn in the control's
// entry colours and font. It opens with all of its text selected and takes the keys a one-line
// field does (editing, caret and selection moves, select all, paste); the characters it accepts
// follow the parameter's kind and the control's entry length. Return commits, Escape cancels, and
// losing the keyboard focus commits; the editor settles the field at its next tick.
class X11TextEntry
{
public:
  enum class State { Editing, Commit, Cancel };
  using ClipboardReader = std::function<bool(std::string*)>;

  X11TextEntry(_XDisplay* display, unsigned long parent, const IBounds& rect, const ITextStyle& style,
               Raster_CachedFont* font, const char* text, IControl* control, IEffectParam* param,
               ClipboardReader readClipboard);
  ~X11TextEntry();
  X11TextEntry(const X11TextEntry&) = delete;
  X11TextEntry& operator=(const X11TextEntry&) = delete;

  bool Valid() const;
  unsigned long Window() const;
  void HandleEvent(_XEvent& event);
  State CurrentState() const { return mState; }
  void SetState(State state) { mState = state; }
  const std::string& Text() const { return mText; }
  IControl* Control() const { return mControl; }
  IEffectParam* Param() const { return mParam; }

private:
  void HandleKey(_XEvent& event);
  // Replaces the selection with what the field accepts of `typed`.
  void Insert(const std::string& typed);
  void EraseSelection();
  bool HasSelection() const { return mAnchor != mCaret; }
  int TextLeft() const;
  int CaretIndexAt(int x) const;
  void Draw();

  _XDisplay* mDisplay;
  std::unique_ptr<X11Canvas> mCanvas;
  ITextStyle mStyle;
  Raster_CachedFont* mFont;
  IControl* mControl;
  IEffectParam* mParam;
  ClipboardReader mReadClipboard;
  std::string mText;
  size_t mCaret = 0;
  size_t mAnchor = 0;
  State mState = State::Editing;
  bool mFocused = false;
};
