#pragma once
// The pedal's editor open in a real top-level window (the command-line host's), driven by real
// input, read back from the screen, and compared with the window-less editor's picture.

#include "editor/IControl.h"
#include "editor/offscreen/IGraphicsOffscreen.h"
#include "editor/win/IGraphicsWin.h"
#include "effect/FenwoxQuil.h"
#include "raster/MemBitmap.h"
#include "tests/editor/win/WindowlessPedal.h"
#include "tests/support/PixelCompare.h"
#include "tools/host/ShowWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

using quilhost::ShowEvent;
using quilhost::ShowEventKind;
using quilhost::ShowKey;

constexpr int kTime = FenwoxQuil::kTime;
constexpr int kFeedback = FenwoxQuil::kFeedback;
constexpr int kSync16th = FenwoxQuil::kSync16th;
constexpr int kEffectActive = FenwoxQuil::kEffectActive;

// Control rectangles of the pedal.
const IBounds kTimeKnob(163, 62, 227, 126);
const IBounds kFeedbackKnob(89, 62, 153, 126);
const IBounds kLed(151, 31, 167, 47);
const IBounds kSyncCaption(326, 285, 362, 301);
const IBounds kVersionText(225, 431, 267, 443);
const IBounds kFootswitch(24, 295, 287, 421);

// Longer than two redraw ticks of the editor's 25 frames per second.
constexpr int kTwoTicksMs = 120;

// A host's automation as the adapters deliver it: the parameter takes the value, the editor gets it
// at its next tick, the plug-in reacts.
inline void HostAutomates(IEffectBase& plug, int paramIdx, double normalized)
{
  plug.Param(paramIdx)->SetFromNormalized(normalized);
  if (plug.Editor()) plug.Editor()->PostParamValue(paramIdx, normalized);
  plug.ParameterChanged(paramIdx, false);
}

// Copies a picture (a capture is overwritten by the next one).
inline void CopyPicture(Raster_IBitmap& from, Raster_MemBitmap& to)
{
  to.SetSize(from.PixelWidth(), from.PixelHeight());
  for (int y = 0; y < from.PixelHeight(); ++y)
    for (int x = 0; x < from.PixelWidth(); ++x)
      to.PixelData()[y * to.RowPixels() + x] = from.PixelData()[y * from.RowPixels() + x];
}

// A real parent window with a pedal's editor open in it.
struct OpenPedal {
  OpenPedal(int screenX, int screenY)
  {
    std::string error;
    window = quilhost::ShowWindow::create(410, 460, "pedal", error);
    EXPECT_TRUE(window) << error;
    if (!window) return;
    // Room above the window for drags that go far up.
    SetWindowPos(Parent(), nullptr, screenX, screenY, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    editor = dynamic_cast<IGraphicsWin*>(pedal.Editor());
    EXPECT_NE(editor, nullptr);
    if (editor) {
      EXPECT_NE(editor->OpenEditorWindow(Parent()), nullptr);
    }
    Pump(kTwoTicksMs);
  }
  ~OpenPedal()
  {
    if (editor) editor->CloseEditorWindow();
  }

  HWND Parent() const { return static_cast<HWND>(window->nativeHandle()); }
  HWND Editor() const { return static_cast<HWND>(editor->WindowHandle()); }
  void Pump(int ms) { window->pump(ms); }

  void Mouse(ShowEventKind kind, int x, int y, int notches = 0, bool shift = false)
  {
    ShowEvent event;
    event.kind = kind;
    event.x = x;
    event.y = y;
    event.notches = notches;
    event.modifiers.shift = shift;
    std::string error;
    EXPECT_TRUE(window->inject(event, error)) << error;
    Pump(15);
  }
  void Key(ShowKey key, char character = 0)
  {
    ShowEvent event;
    event.kind = ShowEventKind::Key;
    event.key = key;
    event.character = character;
    std::string error;
    EXPECT_TRUE(window->inject(event, error)) << error;
    Pump(15);
  }
  void Type(const char* text)
  {
    for (const char* c = text; *c; ++c) Key(ShowKey::Character, *c);
  }
  // A vertical drag in steps of `step` pixels (negative: upwards).
  void Drag(int x, int y, int distance, int step, bool shift = false)
  {
    Mouse(ShowEventKind::Down, x, y);
    for (int moved = step; step < 0 ? moved >= distance : moved <= distance; moved += step)
      Mouse(ShowEventKind::Move, x, y + moved, 0, shift);
    Mouse(ShowEventKind::Up, x, y + distance);
  }

  Raster_MemBitmap& Capture()
  {
    EXPECT_TRUE(window->capture(screen));
    return screen;
  }

  double Value(int paramIdx) { return pedal.Param(paramIdx)->Value(); }
  double Normalized(int paramIdx) { return pedal.Param(paramIdx)->ToNormalized(); }
  void Automate(int paramIdx, double normalized)
  {
    HostAutomates(pedal, paramIdx, normalized);
    Pump(kTwoTicksMs);
  }
  std::vector<HostCall> Calls(int paramIdx) const
  {
    std::vector<HostCall> mine;
    for (const HostCall& call : pedal.calls)
      if (call.paramIdx == paramIdx) mine.push_back(call);
    return mine;
  }

  FenwoxQuil pedal;
  IGraphicsWin* editor = nullptr;
  std::unique_ptr<quilhost::ShowWindow> window;
  Raster_MemBitmap screen;
};

// The window-less pedal's picture with the given normalised parameter values.
struct ReferencePicture {
  explicit ReferencePicture(std::vector<std::pair<int, double>> values = {})
      : pedal(CreateWindowlessPedal()), editor(dynamic_cast<IGraphicsOffscreen*>(pedal->Editor()))
  {
    for (const auto& value : values) HostAutomates(*pedal, value.first, value.second);
    editor->OpenEditorWindow(nullptr);
    for (int i = 0; i < 3; ++i) editor->Tick();
  }
  Raster_IBitmap& Screen() { return *editor->Screen(); }

  std::unique_ptr<TestEffect> pedal;
  IGraphicsOffscreen* editor;
};

// Differences between two pictures inside one rectangle only.
inline int DifferencesIn(Raster_IBitmap& expected, Raster_IBitmap& actual, const IBounds& rect)
{
  const IBounds all(0, 0, expected.PixelWidth(), expected.PixelHeight());
  std::vector<IBounds> outside{IBounds(0, 0, all.right, rect.top), IBounds(0, rect.bottom, all.right, all.bottom),
                               IBounds(0, rect.top, rect.left, rect.bottom),
                               IBounds(rect.right, rect.top, all.right, rect.bottom)};
  return ComparePixels(expected, actual, outside).count;
}
