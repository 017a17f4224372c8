#pragma once

#include "editor/IControl.h"
#include "editor/IMenuModel.h"
#include "editor/offscreen/IGraphicsOffscreen.h"
#include "editor/offscreen/IOffscreenResponder.h"
#include "tests/support/TestEffect.h"

#include <gtest/gtest.h>

#include <deque>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

inline void PrintTo(const IBounds& r, std::ostream* os)
{
  *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

// A plug-in with one parameter of each kind the editor treats differently.
class EditorTestEffect : public TestEffect
{
public:
  enum { kLevel, kChoice, kToggle, kSteps, kOnOff, kParams };

  explicit EditorTestEffect(int formatCode = 0)
      : TestEffect(kParams, "1-1 2-2", 1, "Editor Test", "", "Fenwox", 0x10003, 0x45645465, 0x466E7778, 0, false,
                   false, false, formatCode)
  {
    Param(kLevel)->DefineRange("Level", 0.0, 0.0, 100.0, 0.1, "%");
    Param(kChoice)->DefineChoice("Choice", 1, 3);
    Param(kChoice)->AddValueText(0, "short");
    Param(kChoice)->AddValueText(1, "medium");
    Param(kChoice)->AddValueText(2, "long");
    Param(kToggle)->DefineToggle("Toggle", false);
    Param(kToggle)->AddValueText(0, "off");
    Param(kToggle)->AddValueText(1, "on");
    Param(kSteps)->DefineRange("Steps", 0.0, -8.0, 8.0, 1.0, "st");
    Param(kOnOff)->DefineToggle("On/Off", false);
  }

  void ShowHostParamMenu(int paramIdx, int x, int y) override { hostMenus.push_back({paramIdx, x, y}); }

  struct HostMenu
  {
    int paramIdx, x, y;
  };
  std::vector<HostMenu> hostMenus;
};

// A control that draws nothing and counts its drawings.
class ProbeControl : public IControl
{
public:
  ProbeControl(IEffectBase* plugin, const IBounds& rect, int paramIdx) : IControl(plugin, rect, paramIdx, IBlend()) {}

  bool Draw(IGraphics*) override
  {
    ++draws;
    return true;
  }
  void HandleMouseDown(int x, int y, IMouseFlags* mod) override
  {
    events.push_back("down");
    IControl::HandleMouseDown(x, y, mod);
  }
  void HandleMouseUp(int, int, IMouseFlags*) override { events.push_back("up"); }
  void HandleMouseDrag(int, int, int dX, int dY, IMouseFlags*) override
  {
    events.push_back("drag " + std::to_string(dX) + " " + std::to_string(dY));
  }
  void HandleDoubleClick(int, int, IMouseFlags*) override { events.push_back("double"); }
  void HandleMouseWheel(int, int, IMouseFlags*, int notches) override
  {
    events.push_back("wheel " + std::to_string(notches));
  }
  bool HandleKeyDown(int, int, int key) override
  {
    events.push_back("key " + std::to_string(key));
    return takesKeys;
  }
  void HandleMouseOut() override { events.push_back("out"); }

  int draws = 0;
  bool takesKeys = true;
  std::vector<std::string> events;
};

// Plays the user in menus and text entries from a script, and remembers what it was shown.
class ScriptedResponder : public IOffscreenResponder
{
public:
  int ChooseMenuCommand(const IMenuModel& menu, const IBounds& anchor) override
  {
    shownMenus.push_back(Describe(menu));
    anchors.push_back(anchor);
    if (menuAnswers.empty()) return -1;
    const int answer = menuAnswers.front();
    menuAnswers.pop_front();
    return answer;
  }

  bool TypeIntoTextEntry(const IBounds& rect, const char* text, std::string* typed) override
  {
    entryTexts.push_back(text);
    anchors.push_back(rect);
    if (typedAnswers.empty()) return false;
    const std::pair<bool, std::string> answer = typedAnswers.front();
    typedAnswers.pop_front();
    *typed = answer.second;
    return answer.first;
  }

  // Each entry as "label" with " [ticked]" etc. for its flags.
  static std::vector<std::string> Describe(const IMenuModel& menu)
  {
    std::vector<std::string> lines;
    TextBuffer label;
    for (int i = 0; i < menu.Count(); ++i) {
      menu.FormatLabel(i, &label);
      std::string line = label.Text();
      if (menu.items.At(i)->flags & kMenuTicked) line += " [ticked]";
      lines.push_back(line);
    }
    return lines;
  }

  std::deque<int> menuAnswers;
  std::deque<std::pair<bool, std::string>> typedAnswers;  // (Return, keys) or (Escape, "")
  std::vector<std::vector<std::string>> shownMenus;
  std::vector<std::string> entryTexts;
  std::vector<IBounds> anchors;
};

inline IMouseFlags LeftButton()
{
  IMouseFlags flags;
  flags.left = true;
  return flags;
}

inline IMouseFlags RightButton()
{
  IMouseFlags flags;
  flags.right = true;
  return flags;
}

// Press, move in steps to the end point, release: what a user's drag sends.
inline void DragMouse(IGraphicsOffscreen& editor, int x0, int y0, int x1, int y1, IMouseFlags flags = LeftButton(),
                      int steps = 4)
{
  editor.PressMouse(x0, y0, flags);
  for (int i = 1; i <= steps; ++i)
    editor.MoveMouse(x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps, flags);
  editor.ReleaseMouse(x1, y1, flags);
}

inline void ClickMouse(IGraphicsOffscreen& editor, int x, int y, IMouseFlags flags = LeftButton())
{
  editor.PressMouse(x, y, flags);
  editor.ReleaseMouse(x, y, flags);
}

// The normalised values the plug-in passed on to its host, in order.
inline std::vector<double> SentValues(const TestEffect& plug)
{
  std::vector<double> values;
  for (const HostCall& call : plug.CallsOf(HostCall::InformParamChange)) values.push_back(call.value);
  return values;
}

inline std::vector<HostCall::Kind> GestureKinds(const TestEffect& plug)
{
  std::vector<HostCall::Kind> kinds;
  for (const HostCall& call : plug.calls) kinds.push_back(call.kind);
  return kinds;
}
