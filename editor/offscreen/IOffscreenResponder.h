#pragma once

#include "editor/IBounds.h"

#include <string>

struct IMenuModel;

// Stands in for the user wherever the window-less editor would show something modal: it picks menu
// entries, types into text entries and answers message boxes. The defaults dismiss everything.
class IOffscreenResponder
{
public:
  virtual ~IOffscreenResponder() = default;

  // The command identifier of the entry the user picks, counted in building order (the menu's own
  // entries first, a submenu's when its entry is reached), or -1 to dismiss the menu.
  virtual int ChooseMenuCommand(const IMenuModel& /*menu*/, const IBounds& /*anchor*/) { return -1; }

  // A text entry opened over rect, showing text with all of it selected. Return true after putting
  // the typed keys in *typed (they replace the selection; Return follows), false for Escape.
  virtual bool TypeIntoTextEntry(const IBounds& /*rect*/, const char* /*text*/, std::string* /*typed*/)
  {
    return false;
  }

  // The button pressed in a message box; 0 as when no box could be shown.
  virtual int AnswerMessageDialog(const char* /*text*/, const char* /*caption*/, int /*type*/) { return 0; }
};
