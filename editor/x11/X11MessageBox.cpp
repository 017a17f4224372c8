#include "editor/x11/X11MessageBox.h"

#include "editor/x11/X11Canvas.h"
#include "raster/Raster_IFont.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>

namespace {

constexpr int kMargin = 16;
constexpr int kLineHeight = 18;
constexpr int kTextWidth = 340;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;
constexpr int kButtonGap = 10;
constexpr uint32_t kBackground = 0xFFEDEDEDu;
constexpr uint32_t kButtonFace = 0xFFFAFAFAu;
constexpr uint32_t kButtonEdge = 0xFF8A8A8Au;
constexpr uint32_t kFocusEdge = 0xFF3A6EA5u;
constexpr uint32_t kText = 0xFF000000u;
constexpr int kCancel = 2;

constexpr long kEvents = ExposureMask | KeyPressMask | ButtonPressMask | ButtonReleaseMask | StructureNotifyMask;

} // namespace

X11MessageBox::X11MessageBox(Display* display, unsigned long owner, Raster_CachedFont* font, const char* text,
                             const char* caption, int type)
    : mDisplay(display), mOwner(owner), mFont(font), mCaption(caption ? caption : "")
{
  static const struct {
    int answer;
    const char* label;
  } kOk{1, "OK"}, kCancelButton{kCancel, "Cancel"}, kAbort{3, "Abort"}, kRetry{4, "Retry"}, kIgnore{5, "Ignore"},
      kYes{6, "Yes"}, kNo{7, "No"};
  const auto add = [this](const auto& button) { mButtons.push_back({button.answer, button.label, 0}); };
  switch (type & 0xF) {
  case 1: add(kOk); add(kCancelButton); break;
  case 2: add(kAbort); add(kRetry); add(kIgnore); break;
  case 3: add(kYes); add(kNo); add(kCancelButton); break;
  case 4: add(kYes); add(kNo); break;
  case 5: add(kRetry); add(kCancelButton); break;
  default: add(kOk); break;
  }
  Layout(text ? text : "");
}

X11MessageBox::~X11MessageBox() = default;

void X11MessageBox::Layout(const char* text)
{
  // Words wrapped to the text width; explicit line breaks kept.
  std::string line, word;
  const auto flushWord = [&]() {
    if (word.empty()) return;
    const std::string joined = line.empty() ? word : line + " " + word;
    if (!line.empty() && TextWidth(mFont, joined.c_str()) > kTextWidth) {
      mLines.push_back(line);
      line = word;
    } else {
      line = joined;
    }
    word.clear();
  };
  for (const char* c = text;; ++c) {
    if (*c == ' ' || *c == '\n' || *c == 0) {
      flushWord();
      if (*c == '\n') {
        mLines.push_back(line);
        line.clear();
      }
      if (*c == 0) break;
    } else {
      word.push_back(*c);
    }
  }
  mLines.push_back(line);
  int textWidth = 0;
  for (const std::string& l : mLines) textWidth = std::max(textWidth, TextWidth(mFont, l.c_str()));
  const int buttonsWidth = static_cast<int>(mButtons.size()) * (kButtonWidth + kButtonGap) - kButtonGap;
  mWidth = std::max(textWidth, buttonsWidth) + 2 * kMargin;
  mButtonsTop = kMargin + static_cast<int>(mLines.size()) * kLineHeight + kMargin;
  mHeight = mButtonsTop + kButtonHeight + kMargin;
  int left = (mWidth - buttonsWidth) / 2;
  for (Button& button : mButtons) {
    button.left = left;
    left += kButtonWidth + kButtonGap;
  }
}

bool X11MessageBox::Open()
{
  const int screen = DefaultScreen(mDisplay);
  const int x = std::max(0, (DisplayWidth(mDisplay, screen) - mWidth) / 2);
  const int y = std::max(0, (DisplayHeight(mDisplay, screen) - mHeight) / 2);
  mCanvas = std::make_unique<X11Canvas>(mDisplay, mOwner, IBounds(x, y, x + mWidth, y + mHeight),
                                        X11Canvas::Kind::Dialog, kEvents);
  if (!mCanvas->Valid()) return false;
  const Window window = mCanvas->Window();
  XStoreName(mDisplay, window, mCaption.c_str());
  Atom deleteAtom = XInternAtom(mDisplay, "WM_DELETE_WINDOW", False);
  mDeleteAtom = deleteAtom;
  XSetWMProtocols(mDisplay, window, &deleteAtom, 1);
  Atom dialogType = XInternAtom(mDisplay, "_NET_WM_WINDOW_TYPE_DIALOG", False);
  XChangeProperty(mDisplay, window, XInternAtom(mDisplay, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32,
                  PropModeReplace, reinterpret_cast<unsigned char*>(&dialogType), 1);
  XSizeHints hints{};
  hints.flags = PPosition | PMinSize | PMaxSize;
  hints.x = x;
  hints.y = y;
  hints.min_width = hints.max_width = mWidth;
  hints.min_height = hints.max_height = mHeight;
  XSetWMNormalHints(mDisplay, window, &hints);
  Draw();
  mCanvas->Map();
  return true;
}

bool X11MessageBox::Owns(unsigned long window) const { return mCanvas && mCanvas->Window() == window; }

int X11MessageBox::EscapeAnswer() const
{
  for (const Button& button : mButtons)
    if (button.answer == kCancel) return kCancel;
  return mButtons.back().answer;
}

void X11MessageBox::Draw()
{
  X11Canvas& canvas = *mCanvas;
  canvas.Fill(IBounds(0, 0, mWidth, mHeight), kBackground);
  for (size_t i = 0; i < mLines.size(); ++i) {
    const int top = kMargin + static_cast<int>(i) * kLineHeight;
    canvas.Text(mFont, mLines[i].c_str(), IBounds(kMargin, top, mWidth - kMargin, top + kLineHeight), 0, kText);
  }
  for (size_t i = 0; i < mButtons.size(); ++i) {
    const Button& button = mButtons[i];
    const IBounds face(button.left, mButtonsTop, button.left + kButtonWidth, mButtonsTop + kButtonHeight);
    canvas.Fill(face, i == mFocus ? kFocusEdge : kButtonEdge);
    const int inset = i == mFocus ? 2 : 1;
    canvas.Fill(IBounds(face.left + inset, face.top + inset, face.right - inset, face.bottom - inset), kButtonFace);
    canvas.Text(mFont, button.label, IBounds(face.left + 2, face.top, face.right - 2, face.bottom),
                Raster_IFont::kTextCentre, kText);
  }
  canvas.Present();
}

void X11MessageBox::HandleEvent(XEvent& event)
{
  switch (event.type) {
  case Expose:
    if (event.xexpose.count == 0) mCanvas->Present();
    break;
  case MapNotify:
    XSetInputFocus(mDisplay, mCanvas->Window(), RevertToParent, CurrentTime);
    break;
  case ClientMessage:
    if (static_cast<unsigned long>(event.xclient.data.l[0]) == mDeleteAtom) mAnswer = EscapeAnswer();
    break;
  case ButtonRelease:
    if (event.xbutton.button != Button1) break;
    for (const Button& button : mButtons) {
      const IBounds face(button.left, mButtonsTop, button.left + kButtonWidth, mButtonsTop + kButtonHeight);
      if (face.Contains(event.xbutton.x, event.xbutton.y)) mAnswer = button.answer;
    }
    break;
  case KeyPress: {
    const KeySym key = XLookupKeysym(&event.xkey, 0);
    if (key == XK_Return || key == XK_KP_Enter || key == XK_space) {
      mAnswer = mButtons[mFocus].answer;
    } else if (key == XK_Escape) {
      mAnswer = EscapeAnswer();
    } else if (key == XK_Tab || key == XK_Right || key == XK_Left || key == XK_ISO_Left_Tab) {
      const bool back = key == XK_Left || key == XK_ISO_Left_Tab || (event.xkey.state & ShiftMask);
      mFocus = (mFocus + (back ? mButtons.size() - 1 : 1)) % mButtons.size();
      Draw();
    }
    break;
  }
  default:
    break;
  }
}
