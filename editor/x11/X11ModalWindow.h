#pragma once

union _XEvent;

// A popup or dialog of the editor's own that runs until the user is done with it. The editor passes
// it the events of the windows it owns and keeps redrawing itself meanwhile.
class X11ModalWindow
{
public:
  virtual ~X11ModalWindow() = default;
  virtual bool Owns(unsigned long window) const = 0;
  virtual void HandleEvent(_XEvent& event) = 0;
  virtual bool Done() const = 0;
};
