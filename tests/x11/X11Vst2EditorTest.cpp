// The delay plug-in's VST2 library as a Linux VST2 host drives its editor: effEditOpen into the
// host's X11 window, effEditIdle from the host's timer, real input through XTest, effEditClose.
// GoogleTest comes before Xlib, whose macros (None, Bool) would spoil its declarations.
#include <gtest/gtest.h>

#include "raster/Png.h"
#include "tests/support/PixelCompare.h"
#include "tests/x11/X11TestDisplay.h"
#include "tools/host/vst2/Vst2Commands.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

using namespace vst2;

namespace {

constexpr int kEditorWidth = 410;
constexpr int kEditorHeight = 460;

std::unique_ptr<Raster_IBitmap> ReadPng(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return std::unique_ptr<Raster_IBitmap>(Raster_PngFromMemory(bytes.data(), static_cast<int>(bytes.size())));
}

struct X11Vst2Editor : ::testing::Test {
  void SetUp() override {
    ASSERT_NE(x.display(), nullptr) << "no X display";
    std::string error;
    ASSERT_TRUE(session.open(QUIL_FENWOXQUIL_VST2_LIBRARY, error)) << error;
    host = x.MakeHostWindow(200, 520, kEditorWidth, kEditorHeight);
    Open();
  }
  void TearDown() override {
    if (session.plugin) Dispatch(effEditClose);
  }
  VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr) {
    return session.plugin->dispatch(opcode, index, value, ptr);
  }
  void Open() {
    ASSERT_EQ(Dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(host)), 1);
    const std::vector<Window> children = x.Children(host);
    ASSERT_EQ(children.size(), 1u);
    window = children[0];
    Idle(150);
  }
  // The host's idle timer for `ms` milliseconds.
  void Idle(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
      Dispatch(effEditIdle);
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  int Index(const char* title) const { return session.plugin->findParameter(title); }
  float Value(int index) const {
    AEffect* effect = session.plugin->effect();
    return effect->getParameter(effect, index);
  }
  void SetFromHost(int index, float value) {
    AEffect* effect = session.plugin->effect();
    effect->setParameter(effect, index, value);
  }

  X11TestDisplay x;
  quilhost::Vst2Session session;
  Window host = 0;
  Window window = 0;
};

} // namespace

TEST_F(X11Vst2Editor, HostAutomationShowsWhatTheWindowlessEditorDraws) {
  EXPECT_EQ(session.plugin->effect()->flags, 0x1019);
  ERect* rect = nullptr;
  ASSERT_EQ(Dispatch(effEditGetRect, 0, 0, &rect), 1);
  EXPECT_EQ(rect->right - rect->left, kEditorWidth);
  EXPECT_EQ(rect->bottom - rect->top, kEditorHeight);

  const std::string reference = std::string(QUIL_TEST_SCRATCH) + "/x11-vst2-reference.png";
  const std::string command = std::string(QUIL_EDITORSHOT) + " " + reference + " 3=62 2=45 1=70 0=1 5=1 4=1 8=1";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  std::unique_ptr<Raster_IBitmap> expected = ReadPng(reference);
  ASSERT_NE(expected, nullptr);
  // The same settings as the host sends them, while the window is open.
  const std::vector<quilhost::ParameterAssignment> settings = {
      {"Effect Level", "62"}, {"Feedback", "45"},    {"Time", "70"},         {"Delay range", "50ms - 200ms"},
      {"Analog Sat.", "on"},  {"Stereo Mode", "on"}, {"Effect Active", "on"}};
  std::vector<quilhost::ParameterChange> changes;
  std::string error;
  ASSERT_TRUE(quilhost::resolveVst2Assignments(*session.library, settings, changes, error)) << error;
  for (const quilhost::ParameterChange& change : changes)
    SetFromHost(static_cast<int>(change.id), static_cast<float>(change.value));
  Idle(150);
  const PixelDifference difference = ComparePixels(*expected, *x.Grab(window));
  EXPECT_TRUE(difference.Equal()) << difference.Describe();
}

TEST_F(X11Vst2Editor, DraggingTimeIsOneGestureTheHostSees) {
  const int time = Index("Time");
  ASSERT_GE(time, 0);
  SetFromHost(time, 0.0f);
  Idle(60);
  session.plugin->clearHostEvents();
  // Inside the Time knob, dragged up past the window's top edge.
  const int kx = 163 + 20, ky = 62 + 20;
  x.MoveTo(window, kx, ky);
  x.Press();
  Idle(20);
  for (int i = 1; i <= 10; ++i) {
    x.MoveTo(window, kx, ky - 40 * i);
    Idle(10);
  }
  x.Release();
  Idle(60);
  EXPECT_FLOAT_EQ(Value(time), 1.0f);

  std::vector<quilhost::Vst2HostEvent> edits;
  for (const quilhost::Vst2HostEvent& event : session.plugin->hostEvents())
    if (event.index == time) edits.push_back(event);
  ASSERT_GE(edits.size(), 3u);
  EXPECT_EQ(edits.front().opcode, audioMasterBeginEdit);
  EXPECT_EQ(edits.back().opcode, audioMasterEndEdit);
  float last = 0.0f;
  for (size_t i = 1; i + 1 < edits.size(); ++i) {
    EXPECT_EQ(edits[i].opcode, audioMasterAutomate);
    EXPECT_GE(edits[i].opt, last);
    last = edits[i].opt;
  }
  EXPECT_FLOAT_EQ(last, 1.0f);
}

TEST_F(X11Vst2Editor, CloseEndsTheGestureAndReopenShowsTheSamePicture) {
  std::unique_ptr<Raster_MemBitmap> first = x.Grab(window);
  const int feedback = Index("Feedback");
  // A press on a knob opens a gesture; the window closes before the button comes up.
  session.plugin->clearHostEvents();
  x.MoveTo(window, 89 + 20, 62 + 20);
  x.Press();
  Idle(30);
  Dispatch(effEditClose);
  x.Release();
  EXPECT_TRUE(x.Children(host).empty());
  ASSERT_FALSE(session.plugin->hostEvents().empty());
  EXPECT_EQ(session.plugin->hostEvents().front().opcode, audioMasterBeginEdit);
  EXPECT_EQ(session.plugin->hostEvents().back().opcode, audioMasterEndEdit);
  EXPECT_EQ(session.plugin->hostEvents().back().index, feedback);

  Open();
  const PixelDifference difference = ComparePixels(*first, *x.Grab(window));
  EXPECT_TRUE(difference.Equal()) << difference.Describe();
}

TEST_F(X11Vst2Editor, RefusesAParentThatIsNoWindow) {
  Dispatch(effEditClose);
  const Window gone = x.MakeHostWindow(0, 0, 10, 10);
  x.DestroyWindow(gone);
  for (void* parent : {static_cast<void*>(nullptr), reinterpret_cast<void*>(gone)}) {
    EXPECT_EQ(Dispatch(effEditOpen, 0, 0, parent), 0) << parent;
    Idle(20);
  }
  Open();
}
