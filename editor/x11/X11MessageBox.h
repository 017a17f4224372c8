#pragma once

#include "editor/x11/X11ModalWindow.h"

#include <memory>
#include <string>
#include <vector>

struct _XDisplay;
class Raster_CachedFont;
class X11Canvas;

// The message box: a small dialog window of ours with the text, wrapped to its width, and the
// buttons the type asks for (the low four bits: OK; OK, Cancel; Abort, Retry, Ignore; Yes, No,
// Cancel; Yes, No; Retry, Cancel). It answers with the number of the button pressed (OK 1,
// Cancel 2, Abort 3, Retry 4, Ignore 5, Yes 6, No 7). Return presses the focused button, Tab and
// the arrow keys move the focus, Escape and closing the window answer Cancel where there is one,
// otherwise the last button.
class X11MessageBox : public X11ModalWindow
{
public:
  X11MessageBox(_XDisplay* display, unsigned long owner, Raster_CachedFont* font, const char* text,
                const char* caption, int type);
  ~X11MessageBox() override;

  bool Open();
  bool Owns(unsigned long window) const override;
  void HandleEvent(_XEvent& event) override;
  bool Done() const override { return mAnswer != 0; }
  int Answer() const { return mAnswer; }

private:
  struct Button {
    int answer;
    const char* label;
    int left;
  };
  void Layout(const char* text);
  void Draw();
  int EscapeAnswer() const;

  _XDisplay* mDisplay;
  unsigned long mOwner;
  Raster_CachedFont* mFont;
  std::string mCaption;
  std::vector<std::string> mLines;
  std::vector<Button> mButtons;
  std::unique_ptr<X11Canvas> mCanvas;
  int mWidth = 0;
  int mHeight = 0;
  int mButtonsTop = 0;
  size_t mFocus = 0;
  int mAnswer = 0;
  unsigned long mDeleteAtom = 0;
};
