#include "tests/editor/EditorHarness.h"

#include "editor/IKnobMultiControl.h"
#include "raster/Blit.h"
#include "raster/MemBitmap.h"
#include "raster/Png.h"
#include "raster/SysBitmap.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

namespace {

TEST(Redraw, RenderRectDrawsControlsTouchingItsRightOrBottomEdge)
{
  EditorHarness h;
  struct Case
  {
    IBounds rect;
    bool drawn;
  };
  const Case cases[] = {
      {IBounds(10, 10, 20, 20), true},   // inside
      {IBounds(50, 0, 60, 10), true},    // starts on the right edge
      {IBounds(0, 50, 10, 60), true},    // starts on the bottom edge
      {IBounds(51, 0, 60, 10), false},   // beyond the right edge
      {IBounds(-10, 0, 0, 10), false},   // ends where the rectangle starts
      {IBounds(0, -10, 10, 0), false},   // ends where the rectangle starts
  };
  std::vector<ProbeControl*> probes;
  for (const Case& c : cases) probes.push_back(h.Add(c.rect, -1));
  ProbeControl* hidden = h.Add(IBounds(10, 10, 20, 20), -1);
  h.plug->AttachEditor(h.editor);
  h.editor->OpenEditorWindow(nullptr);
  hidden->SetHidden(true);

  IBounds paint(0, 0, 50, 50);
  EXPECT_TRUE(h.editor->RenderRect(&paint));
  for (size_t i = 0; i < probes.size(); ++i) EXPECT_EQ(probes[i]->draws, cases[i].drawn ? 1 : 0) << "case " << i;
  EXPECT_EQ(hidden->draws, 0);
  // Every control finished its drawing, drawn or not; the hidden one is drawn once more pending.
  for (ProbeControl* probe : probes) EXPECT_FALSE(probe->NeedsDraw());
  EXPECT_TRUE(hidden->NeedsDraw());
}

TEST(Redraw, EmptyEditorAndEmptyRectangleDrawNothing)
{
  EditorHarness h;
  IBounds paint(0, 0, 10, 10);
  EXPECT_TRUE(h.editor->RenderRect(&paint)); // no controls at all
  ProbeControl* probe = h.Add(IBounds(0, 0, 10, 10), -1);
  h.Attach();
  IBounds nothing;
  EXPECT_TRUE(h.editor->RenderRect(&nothing));
  EXPECT_EQ(probe->draws, 1); // only the first tick's
}

struct KnobRedraw : ::testing::Test
{
  void SetUp() override
  {
    knob = new IKnobMultiControl(h.plug.get(), 20, 20, EditorTestEffect::kLevel,
                                 h.editor->LoadStrip(101, "knob.png", 100), kKnobVertical, 4.0);
    h.editor->AddControl(knob);
    other = h.Add(IBounds(120, 10, 130, 20), -1);
    h.Attach();
  }

  // The rectangles each tick draws, until one draws nothing.
  std::vector<IBounds> TicksUntilIdle()
  {
    std::vector<IBounds> drawn;
    IBounds r;
    while (drawn.size() < 5 && h.editor->Tick(&r)) drawn.push_back(r);
    return drawn;
  }

  EditorHarness h;
  IKnobMultiControl* knob;
  ProbeControl* other;
};

TEST_F(KnobRedraw, PushedValueDrawsOnTwoTicksAndADragStepOnOne)
{
  EXPECT_TRUE(TicksUntilIdle().empty());

  h.plug->Param(EditorTestEffect::kLevel)->SetValue(40.0);
  h.plug->PushParamsToEditor();
  EXPECT_EQ(TicksUntilIdle(), (std::vector<IBounds>{knob->Rect(), knob->Rect()}));

  h.plug->PushParamsToEditor(); // the same value again: nothing to draw
  EXPECT_TRUE(TicksUntilIdle().empty());

  h.editor->PressMouse(50, 50, LeftButton());
  h.editor->MoveMouse(50, 40, LeftButton());
  EXPECT_EQ(TicksUntilIdle(), (std::vector<IBounds>{knob->Rect()}));
  h.editor->ReleaseMouse(50, 40, LeftButton());

  // Two dirty controls draw as the union of their rectangles.
  knob->SetDirty(true);
  other->SetDirty(true);
  EXPECT_EQ(TicksUntilIdle(), (std::vector<IBounds>{IBounds(20, 10, 130, 84)}));
}

TEST_F(KnobRedraw, ClosedWindowDrawsNothingAndReopeningDrawsEverything)
{
  h.editor->CloseEditorWindow();
  EXPECT_EQ(h.editor->WindowHandle(), nullptr);
  EXPECT_FALSE(h.editor->HasWindow());
  knob->SetDirty(true);
  EXPECT_FALSE(h.editor->Tick());
  EXPECT_NE(h.editor->OpenEditorWindow(nullptr), nullptr);
  EXPECT_TRUE(h.editor->HasWindow());
  EXPECT_EQ(TicksUntilIdle(), (std::vector<IBounds>{IBounds(0, 0, 200, 100)}));
}

TEST_F(KnobRedraw, ScreenShowsTheBackBufferAndSavesAsPng)
{
  Raster_IBitmap* screen = h.editor->Screen();
  Raster_IBitmap* back = h.editor->BackBuffer();
  ASSERT_EQ(screen->PixelWidth(), 200);
  ASSERT_EQ(screen->PixelHeight(), 100);
  int differing = 0, drawn = 0;
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 200; ++x) {
      const uint32_t pixel = screen->PixelData()[y * screen->RowPixels() + x];
      differing += pixel != back->PixelData()[y * back->RowPixels() + x];
      drawn += pixel != 0xFF000000u;
    }
  }
  EXPECT_EQ(differing, 0);
  EXPECT_GT(drawn, 64 * 64 / 4); // the knob is on the screen

  const std::string path = ::testing::TempDir() + "editor-screen.png";
  ASSERT_TRUE(h.editor->SaveScreen(path.c_str()));
  std::ifstream file(path, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::unique_ptr<Raster_IBitmap> decoded(Raster_PngFromMemory(bytes.data(), static_cast<int>(bytes.size())));
  ASSERT_NE(decoded, nullptr);
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 200; ++x)
      ASSERT_EQ(decoded->PixelData()[y * decoded->RowPixels() + x], screen->PixelData()[y * screen->RowPixels() + x]);
  }
  std::remove(path.c_str());
  h.editor->CloseEditorWindow();
  EXPECT_FALSE(h.editor->SaveScreen(path.c_str()));
}

TEST_F(KnobRedraw, ResizeStartsTheEditorOverAtTheNewSize)
{
  h.editor->PressMouse(50, 50, LeftButton());
  h.plug->calls.clear();
  h.editor->ResizeWindow(200, 100); // same size: nothing happens
  EXPECT_EQ(h.editor->ControlCount(), 2);

  h.editor->ResizeWindow(300, 120);
  EXPECT_EQ(h.editor->ControlCount(), 0);
  EXPECT_EQ(h.editor->Captured(), -1);
  EXPECT_EQ(h.editor->EnsureBackBuffer()->PixelWidth(), 300);
  EXPECT_EQ(h.editor->Screen()->PixelHeight(), 120);
  const auto resizes = h.plug->CallsOf(HostCall::ResizeEditor);
  ASSERT_EQ(resizes.size(), 1u);
  EXPECT_EQ(resizes[0].width, 300);
  EXPECT_EQ(resizes[0].height, 120);
  // The pressed control is gone; its gesture is closed with it.
  EXPECT_EQ(h.plug->CallsOf(HostCall::EndParamChange).size(), 1u);
  EXPECT_EQ(h.editor->Width(), 300);
}

} // namespace
