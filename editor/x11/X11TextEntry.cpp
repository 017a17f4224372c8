#include "editor/x11/X11TextEntry.h"

#include "editor/IControl.h"
#include "editor/TextEntryRules.h"
#include "editor/x11/X11Canvas.h"
#include "raster/Raster_IFont.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kMargin = 2;
constexpr uint32_t kSelection = 0xFF9CC3EBu;
constexpr long kEvents = ExposureMask | KeyPressMask | ButtonPressMask | FocusChangeMask;

} // namespace

X11TextEntry::X11TextEntry(Display* display, unsigned long parent, const IBounds& rect, const ITextStyle& style,
                           Raster_CachedFont* font, const char* text, IControl* control, IEffectParam* param,
                           ClipboardReader readClipboard)
    : mDisplay(display), mStyle(style), mFont(font), mControl(control), mParam(param),
      mReadClipboard(std::move(readClipboard)), mText(text ? text : "")
{
  // The field covers the control's rectangle including its right and bottom edges.
  const IBounds area(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
  mCanvas = std::make_unique<X11Canvas>(display, parent, area, X11Canvas::Kind::Child, kEvents);
  if (!mCanvas->Valid()) return;
  mAnchor = 0;
  mCaret = mText.size();
  Draw();
  mCanvas->Map();
  XSetInputFocus(display, mCanvas->Window(), RevertToParent, CurrentTime);
}

X11TextEntry::~X11TextEntry() = default;

bool X11TextEntry::Valid() const { return mCanvas && mCanvas->Valid(); }

unsigned long X11TextEntry::Window() const { return mCanvas ? mCanvas->Window() : 0; }

void X11TextEntry::HandleEvent(XEvent& event)
{
  if (mState != State::Editing) return;
  switch (event.type) {
  case Expose:
    if (event.xexpose.count == 0) mCanvas->Present();
    break;
  case KeyPress:
    HandleKey(event);
    break;
  case ButtonPress:
    if (event.xbutton.button == Button1) {
      mCaret = mAnchor = static_cast<size_t>(CaretIndexAt(event.xbutton.x));
      XSetInputFocus(mDisplay, mCanvas->Window(), RevertToParent, CurrentTime);
      Draw();
    }
    break;
  case FocusIn:
    if (event.xfocus.detail != NotifyPointer) mFocused = true;
    break;
  case FocusOut:
    // Only the focus the field had counts: not the pointer's, not a grab taking the keyboard for a
    // moment, and not focus moving into a window inside it.
    if (mFocused && event.xfocus.mode == NotifyNormal && event.xfocus.detail != NotifyInferior &&
        event.xfocus.detail != NotifyPointer)
      mState = State::Commit;
    break;
  default:
    break;
  }
}

void X11TextEntry::HandleKey(XEvent& event)
{
  char typed[8] = {};
  KeySym key = NoSymbol;
  const int count = XLookupString(&event.xkey, typed, sizeof(typed) - 1, &key, nullptr);
  const bool control = event.xkey.state & ControlMask;
  const bool shift = event.xkey.state & ShiftMask;
  switch (key) {
  case XK_Return:
  case XK_KP_Enter:
    mState = State::Commit;
    return;
  case XK_Escape:
    mState = State::Cancel;
    return;
  case XK_BackSpace:
  case XK_Delete:
  case XK_KP_Delete:
    if (!HasSelection()) {
      if (key == XK_BackSpace && mCaret > 0) mAnchor = mCaret - 1;
      if (key != XK_BackSpace && mCaret < mText.size()) mAnchor = mCaret + 1;
    }
    EraseSelection();
    break;
  case XK_Left:
  case XK_KP_Left:
  case XK_Right:
  case XK_KP_Right:
  case XK_Home:
  case XK_End: {
    size_t caret = mCaret;
    if (key == XK_Home) caret = 0;
    else if (key == XK_End) caret = mText.size();
    else if (!shift && HasSelection()) caret = key == XK_Left || key == XK_KP_Left ? std::min(mCaret, mAnchor) : std::max(mCaret, mAnchor);
    else if (key == XK_Left || key == XK_KP_Left) caret = caret > 0 ? caret - 1 : 0;
    else caret = std::min(caret + 1, mText.size());
    mCaret = caret;
    if (!shift) mAnchor = caret;
    break;
  }
  default:
    if (control && (key == XK_a || key == XK_A)) {
      mAnchor = 0;
      mCaret = mText.size();
    } else if (control && (key == XK_v || key == XK_V)) {
      std::string pasted;
      if (mReadClipboard && mReadClipboard(&pasted)) Insert(pasted);
    } else if (!control && count == 1 && static_cast<unsigned char>(typed[0]) >= 0x20 && typed[0] != 0x7f) {
      Insert(std::string(1, typed[0]));
    } else {
      return;
    }
    break;
  }
  Draw();
}

void X11TextEntry::EraseSelection()
{
  const size_t from = std::min(mAnchor, mCaret), to = std::max(mAnchor, mCaret);
  mText.erase(from, to - from);
  mCaret = mAnchor = from;
}

void X11TextEntry::Insert(const std::string& typed)
{
  EraseSelection();
  const size_t limit = static_cast<size_t>(std::max(0, mControl ? mControl->EntryLength() : kTextEntryReadLimit));
  for (const char c : typed) {
    if (mText.size() >= limit) break;
    // Only single-byte characters: the field's rules and length count bytes.
    if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7f) continue;
    if (!TextEntryAcceptsChar(mParam, c)) continue;
    mText.insert(mCaret, 1, c);
    mAnchor = ++mCaret;
  }
}

int X11TextEntry::TextLeft() const
{
  const int width = TextWidth(mFont, mText.c_str());
  const int space = mCanvas->Width() - 2 * kMargin;
  if (mStyle.align == kAlignLeft || width >= space) return kMargin;
  if (mStyle.align == kAlignCentre) return kMargin + (space - width) / 2;
  return kMargin + space - width;
}

int X11TextEntry::CaretIndexAt(int x) const
{
  const int left = TextLeft();
  size_t best = 0;
  int bestDistance = std::abs(x - left);
  for (size_t i = 1; i <= mText.size(); ++i) {
    const int distance = std::abs(x - (left + TextWidth(mFont, mText.c_str(), static_cast<int>(i))));
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return static_cast<int>(best);
}

void X11TextEntry::Draw()
{
  const int w = mCanvas->Width(), h = mCanvas->Height();
  mCanvas->Fill(IBounds(0, 0, w, h), mStyle.entryBackground.Packed() | 0xFF000000u);
  const int left = TextLeft();
  const auto xAt = [&](size_t index) {
    return left + TextWidth(mFont, mText.c_str(), static_cast<int>(index));
  };
  if (HasSelection()) {
    const size_t from = std::min(mAnchor, mCaret), to = std::max(mAnchor, mCaret);
    mCanvas->Fill(IBounds(xAt(from), 1, xAt(to), h - 1), kSelection);
  }
  mCanvas->Text(mFont, mText.c_str(), IBounds(left, 0, w, h), 0, mStyle.entryText.Packed() | 0xFF000000u);
  if (!HasSelection()) {
    const int x = std::min(xAt(mCaret), w - 1);
    mCanvas->Fill(IBounds(x, 2, x + 1, h - 2), mStyle.entryText.Packed() | 0xFF000000u);
  }
  mCanvas->Present();
}
