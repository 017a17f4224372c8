// The delay plug-in's VST2 library as a Windows VST2 host drives its editor: effEditOpen into a real
// parent window of the host, pixels read back from the screen, effEditClose.
#include "adapters/vst2/api/Vst2Structs.h"
#include "editor/offscreen/IGraphicsOffscreen.h"
#include "tests/editor/win/WindowlessPedal.h"
#include "tests/support/PixelCompare.h"
#include "tests/support/TestEffect.h"
#include "tools/host/ShowWindow.h"
#include "tools/host/vst2/Vst2Commands.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

using namespace vst2;

namespace {

constexpr int kEditorWidth = 410, kEditorHeight = 460;
// Text is drawn by the system's fonts: Wine's differ from the window-less editor's.
const IBounds kSyncCaption(326, 285, 362, 301);
const IBounds kVersionText(225, 431, 267, 443);
const IBounds kTimeKnob(163, 62, 227, 126);

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  return TRUE;
}

std::vector<HWND> ChildrenOf(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
  return children;
}

struct Vst2EditorWin : ::testing::Test {
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(session.open(QUIL_FENWOXQUIL_VST2_LIBRARY, error)) << error;
    window = quilhost::ShowWindow::create(kEditorWidth, kEditorHeight, "vst2 editor", error);
    ASSERT_TRUE(window) << error;
  }
  void TearDown() override {
    if (session.plugin) Dispatch(effEditClose);
  }
  VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr) {
    return session.plugin->dispatch(opcode, index, value, ptr);
  }
  HWND Parent() const { return static_cast<HWND>(window->nativeHandle()); }
  // The host's message loop with its idle calls, for `ms` milliseconds.
  void Pump(int ms) {
    for (int left = ms; left > 0; left -= 10) {
      window->pump(10);
      Dispatch(effEditIdle);
    }
  }
  Raster_MemBitmap& Capture() {
    EXPECT_TRUE(window->capture(screen));
    return screen;
  }

  quilhost::Vst2Session session;
  std::unique_ptr<quilhost::ShowWindow> window;
  Raster_MemBitmap screen;
};

} // namespace

TEST_F(Vst2EditorWin, OpensInTheHostWindowShowingTheWindowlessPictureOutsideText) {
  EXPECT_EQ(session.plugin->effect()->flags, 0x1019);
  ASSERT_EQ(Dispatch(effEditOpen, 0, 0, Parent()), 1);
  const std::vector<HWND> children = ChildrenOf(Parent());
  ASSERT_EQ(children.size(), 1u);
  RECT client{};
  GetClientRect(children[0], &client);
  EXPECT_EQ(client.right, kEditorWidth);
  EXPECT_EQ(client.bottom, kEditorHeight);
  Pump(150);

  std::unique_ptr<TestEffect> reference(CreateWindowlessPedal());
  auto* offscreen = dynamic_cast<IGraphicsOffscreen*>(reference->Editor());
  ASSERT_NE(offscreen, nullptr);
  offscreen->OpenEditorWindow(nullptr);
  for (int i = 0; i < 3; ++i) offscreen->Tick();
  const PixelDifference difference = ComparePixels(*offscreen->Screen(), Capture(), {kSyncCaption, kVersionText});
  EXPECT_TRUE(difference.Equal()) << difference.Describe();
}

TEST_F(Vst2EditorWin, HostAutomationIsDrawnAndReopeningWorks) {
  ASSERT_EQ(Dispatch(effEditOpen, 0, 0, Parent()), 1);
  Pump(150);
  Raster_MemBitmap before;
  ASSERT_TRUE(window->capture(before));
  AEffect* effect = session.plugin->effect();
  effect->setParameter(effect, session.plugin->findParameter("Time"), 1.0f);
  Pump(150);
  EXPECT_GT(CountInk(Capture(), before, kTimeKnob), 0);

  EXPECT_EQ(Dispatch(effEditClose), 1);
  EXPECT_TRUE(ChildrenOf(Parent()).empty());
  ASSERT_EQ(Dispatch(effEditOpen, 0, 0, Parent()), 1);
  EXPECT_EQ(ChildrenOf(Parent()).size(), 1u);
  Pump(150);
  EXPECT_GT(CountInk(Capture(), before, kTimeKnob), 0);
  EXPECT_EQ(ComparePixels(before, Capture(), {kTimeKnob, kSyncCaption, kVersionText}).count, 0);
}
