// The delay plug-in's VST3 editor view as a Linux host uses it: attached to a host window with the
// host's run loop from the frame, fed real input, its pixels read back from the server.
// GoogleTest comes before Xlib, whose macros (None, Bool) would spoil its declarations.
#include <gtest/gtest.h>

#include "adapters/vst3/IEffectVST3View.h"
#include "editor/IControl.h"
#include "editor/IEditorLoopClient.h"
#include "editor/IGraphics.h"
#include "effect/FenwoxQuil.h"
#include "raster/Png.h"
#include "raster/SysBitmap.h"
#include "tests/support/PixelCompare.h"
#include "tests/x11/X11TestDisplay.h"
#include "tools/host/ParameterChanges.h"
#include "tools/host/x11/PollRunLoop.h"

#include <X11/keysym.h>
#include <malloc.h>

#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <sstream>
#include <unistd.h>
#include <string>
#include <thread>
#include <vector>

using namespace vst3;

namespace {

constexpr int kHostX = 200;
constexpr int kHostY = 520;

struct Edit {
  char kind;  // 'b'egin, 'p'erform, 'e'nd
  ParamID id;
  double value;
};

class RecordingHandler : public FObject, public IComponentHandler {
public:
  tresult PLUGIN_API beginEdit(ParamID id) override { return record('b', id, 0.0); }
  tresult PLUGIN_API performEdit(ParamID id, ParamValue value) override { return record('p', id, value); }
  tresult PLUGIN_API endEdit(ParamID id) override { return record('e', id, 0.0); }
  tresult PLUGIN_API restartComponent(int32) override { return kResultOk; }
  tresult PLUGIN_API queryInterface(const TUID iidBytes, void** obj) override {
    if (obj && answerInterface<IComponentHandler>(this, iidBytes, obj)) return kResultOk;
    return FObject::queryInterface(iidBytes, obj);
  }
  QUIL_VST3_REFCOUNT_FROM(FObject)

  std::vector<Edit> edits;

private:
  tresult record(char kind, ParamID id, double value) {
    edits.push_back({kind, id, value});
    return kResultOk;
  }
};

// The host's frame: offers the run loop, or none.
class HostFrame : public FObject, public IPlugFrame {
public:
  explicit HostFrame(quilhost::PollRunLoop* loop) : mLoop(loop) {}
  tresult PLUGIN_API resizeView(IPlugView*, ViewRect*) override { return kResultFalse; }
  tresult PLUGIN_API queryInterface(const TUID iidBytes, void** obj) override {
    if (obj && answerInterface<IPlugFrame>(this, iidBytes, obj)) return kResultOk;
    if (obj && mLoop && Linux::IRunLoop::iid == iidBytes) return mLoop->queryInterface(iidBytes, obj);
    return FObject::queryInterface(iidBytes, obj);
  }
  QUIL_VST3_REFCOUNT_FROM(FObject)

private:
  quilhost::PollRunLoop* mLoop;
};

// One plug-in instance with its editor view open in a host window of its own.
struct OpenPedal {
  OpenPedal(X11TestDisplay& x, quilhost::PollRunLoop* loop, int hostX, int hostY) : frame(new HostFrame(loop)) {
    plugin->initialize(nullptr);
    ProcessSetup setup{kRealtime, kSample32, 512, 48000.0};
    plugin->setupProcessing(setup);
    plugin->setActive(true);
    plugin->setComponentHandler(handler);
    host = x.MakeHostWindow(hostX, hostY, 410, 460);
    view = plugin->createView("editor");
    view->setFrame(frame);
    attached = view->attached(reinterpret_cast<void*>(host), "X11EmbedWindowID");
    const std::vector<Window> children = x.Children(host);
    window = children.empty() ? 0 : children[0];
  }
  ~OpenPedal() {
    view->removed();
    view->release();
    plugin->setComponentHandler(nullptr);
    plugin->setActive(false);
    plugin->terminate();
    plugin->release();
    handler->release();
    frame->release();
  }
  IGraphics* editor() const { return plugin->Editor(); }
  // Host automation: the values arrive with a block of audio processing, as hosts send them.
  void Automate(const std::vector<std::pair<int, double>>& values) {
    quilhost::ParameterChanges changes;
    for (const auto& value : values) changes.add(static_cast<ParamID>(value.first), 0, value.second);
    ProcessData data{};
    data.processMode = kRealtime;
    data.symbolicSampleSize = kSample32;
    data.inputParameterChanges = &changes;
    plugin->process(data);
  }
  // The first control showing a parameter.
  IControl* ControlOf(int paramIdx) const {
    for (int i = 0; i < editor()->ControlCount(); ++i)
      if (editor()->Control(i)->ParamIdx() == paramIdx) return editor()->Control(i);
    return nullptr;
  }
  IBounds ControlRect(int paramIdx) const { return ControlOf(paramIdx)->Rect(); }
  std::vector<Edit> EditsOf(ParamID id) const {
    std::vector<Edit> found;
    for (const Edit& edit : handler->edits)
      if (edit.id == id) found.push_back(edit);
    return found;
  }

  FenwoxQuil* plugin = new FenwoxQuil(nullptr);
  RecordingHandler* handler = new RecordingHandler;
  HostFrame* frame;
  IPlugView* view = nullptr;
  tresult attached = kResultFalse;
  Window host = 0;
  Window window = 0;
};

std::unique_ptr<Raster_IBitmap> ReadPng(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return std::unique_ptr<Raster_IBitmap>(Raster_PngFromMemory(bytes.data(), static_cast<int>(bytes.size())));
}

int OpenDescriptors() {
  int count = 0;
  if (DIR* dir = opendir("/proc/self/fd")) {
    while (readdir(dir)) ++count;
    closedir(dir);
  }
  return count;
}

// Shared-memory segments this process created that still exist (the machine's others do not count).
int SharedSegments() {
  std::ifstream in("/proc/sysvipc/shm");
  std::string line;
  std::getline(in, line);  // the heading
  int count = 0;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    long key = 0, id = 0, perms = 0, size = 0, creator = 0;
    if (fields >> key >> id >> perms >> size >> creator && creator == getpid()) ++count;
  }
  return count;
}

struct X11PedalView : ::testing::Test {
  void SetUp() override {
    ASSERT_NE(x.display(), nullptr) << "no X display";
    pedal = std::make_unique<OpenPedal>(x, loop, kHostX, kHostY);
    ASSERT_EQ(pedal->attached, kResultOk);
    ASSERT_NE(pedal->window, 0u);
    Pump(100);
  }
  void TearDown() override {
    pedal.reset();
    loop->release();
  }
  void Pump(int ms) { loop->runFor(ms); }
  // Pumps until the pixels of `rect` differ from `before`; false when they never do.
  bool PumpUntilChanged(Raster_IBitmap& before, const IBounds& rect) {
    return X11TestDisplay::WaitFor([&] { return CountInk(*Shown(), before, rect) > 0; }, [this] { Pump(5); });
  }
  std::unique_ptr<Raster_MemBitmap> Shown() { return x.Grab(pedal->window); }
  void Drag(int x0, int y0, int dy, int steps) {
    x.MoveTo(pedal->window, x0, y0);
    x.Press();
    Pump(20);
    for (int i = 1; i <= steps; ++i) {
      x.MoveTo(pedal->window, x0, y0 + dy * i / steps);
      Pump(10);
    }
    x.Release();
    Pump(50);
  }
  double Value(int paramIdx) { return pedal->plugin->getParamNormalized(static_cast<ParamID>(paramIdx)); }
  void SetFromHost(int paramIdx, double value) { pedal->Automate({{paramIdx, value}}); }

  X11TestDisplay x;
  quilhost::PollRunLoop* loop = new quilhost::PollRunLoop;
  std::unique_ptr<OpenPedal> pedal;
};

} // namespace

TEST_F(X11PedalView, WindowShowsExactlyWhatTheWindowlessEditorDraws) {
  // The window-less editor's picture of the same settings, from the tool that draws it.
  const std::string reference = std::string(QUIL_TEST_SCRATCH) + "/x11-reference.png";
  const std::string command = std::string(QUIL_EDITORSHOT) + " " + reference + " 3=62 2=45 1=70 0=1 5=1 4=1 8=1";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  std::unique_ptr<Raster_IBitmap> expected = ReadPng(reference);
  ASSERT_NE(expected, nullptr);

  const std::pair<int, double> settings[] = {{FenwoxQuil::kEffectLevel, 62}, {FenwoxQuil::kFeedback, 45},
                                             {FenwoxQuil::kTime, 70},        {FenwoxQuil::kDelayRange, 1},
                                             {FenwoxQuil::kAnalogSat, 1},    {FenwoxQuil::kStereoMode, 1},
                                             {FenwoxQuil::kEffectActive, 1}};
  std::vector<std::pair<int, double>> values;
  for (const auto& setting : settings)
    values.push_back({setting.first, pedal->plugin->Param(setting.first)->ToNormalized(setting.second)});
  pedal->Automate(values);
  Pump(150);
  const PixelDifference difference = ComparePixels(*expected, *Shown());
  EXPECT_TRUE(difference.Equal()) << difference.Describe();
}

TEST_F(X11PedalView, DraggingTimeFromMinimumToMaximumIsOneGestureTheHostSees) {
  SetFromHost(FenwoxQuil::kTime, 0.0);
  Pump(60);
  const IBounds knob = pedal->ControlRect(FenwoxQuil::kTime);
  const int cx = (knob.left + knob.right) / 2, cy = (knob.top + knob.bottom) / 2;
  // Far enough up for the whole range, over the window's top edge.
  Drag(cx, cy, -knob.Height() * 5, 25);
  const std::vector<Edit> edits = pedal->EditsOf(FenwoxQuil::kTime);
  ASSERT_GE(edits.size(), 3u);
  EXPECT_EQ(edits.front().kind, 'b');
  EXPECT_EQ(edits.back().kind, 'e');
  double last = 0.0;
  for (size_t i = 1; i + 1 < edits.size(); ++i) {
    EXPECT_EQ(edits[i].kind, 'p');
    EXPECT_GE(edits[i].value, last);
    last = edits[i].value;
  }
  EXPECT_DOUBLE_EQ(last, 1.0);
  EXPECT_DOUBLE_EQ(Value(FenwoxQuil::kTime), 1.0);
}

TEST_F(X11PedalView, FineDragsMoveATenthAndTheWheelStepsWithAndWithoutControl) {
  // The knob's own value: the parameter rounds it to whole percent.
  IControl* level = pedal->ControlOf(FenwoxQuil::kFeedback);
  const IBounds knob = level->Rect();
  const int cx = (knob.left + knob.right) / 2, cy = (knob.top + knob.bottom) / 2;
  SetFromHost(FenwoxQuil::kFeedback, 0.5);
  Pump(60);
  const double start = level->Value();
  Drag(cx, cy, -20, 4);
  const double coarse = level->Value() - start;
  SetFromHost(FenwoxQuil::kFeedback, 0.5);
  Pump(60);
  x.HoldKey(XK_Control_L, true);
  // Pressed a little aside: a press where the last one was, so soon after, is a double click.
  Drag(cx + 10, cy, -20, 4);
  x.HoldKey(XK_Control_L, false);
  const double fine = level->Value() - start;
  EXPECT_GT(coarse, 0.0);
  EXPECT_NEAR(fine, coarse / 10.0, 1e-9);

  struct Turn {
    int button;
    bool control;
    double step;
  };
  for (const Turn turn : {Turn{4, false, 0.01}, Turn{5, false, -0.01}, Turn{4, true, 0.001}}) {
    const double before = level->Value();
    if (turn.control) x.HoldKey(XK_Control_L, true);
    x.Click(pedal->window, cx, cy, turn.button);
    if (turn.control) x.HoldKey(XK_Control_L, false);
    Pump(40);
    EXPECT_NEAR(level->Value() - before, turn.step, 1e-9) << turn.button << turn.control;
  }
}

TEST_F(X11PedalView, DoubleClickRestoresTheDefault) {
  const IBounds knob = pedal->ControlRect(FenwoxQuil::kTime);
  const double defaultValue = pedal->plugin->Param(FenwoxQuil::kTime)->ToNormalized(
      pedal->plugin->Param(FenwoxQuil::kTime)->DefaultValue());
  SetFromHost(FenwoxQuil::kTime, 0.9);
  Pump(60);
  x.Click(pedal->window, knob.left + 10, knob.top + 10);
  x.Click(pedal->window, knob.left + 11, knob.top + 10);
  Pump(60);
  EXPECT_DOUBLE_EQ(Value(FenwoxQuil::kTime), defaultValue);
  // The first click's gesture is closed; the double click itself opens none.
  int open = 0;
  for (const Edit& edit : pedal->EditsOf(FenwoxQuil::kTime)) open += edit.kind == 'b' ? 1 : edit.kind == 'e' ? -1 : 0;
  EXPECT_EQ(open, 0);
}

TEST_F(X11PedalView, FootswitchLightsTheLedAtTheNextTimerTick) {
  auto* client = dynamic_cast<IEditorLoopClient*>(pedal->editor());
  ASSERT_NE(client, nullptr);
  const IBounds led = pedal->editor()->Control(pedal->plugin->LedControl())->Rect();
  const double before = Value(FenwoxQuil::kEffectActive);
  std::unique_ptr<Raster_MemBitmap> unlit = Shown();
  x.Click(pedal->window, 150, 350);
  // The click arrives and switches the effect; the LED waits for the redraw tick.
  client->OnDescriptorReady();
  EXPECT_NE(Value(FenwoxQuil::kEffectActive), before);
  EXPECT_EQ(CountInk(*Shown(), *unlit, led), 0);
  loop->fireTimers();
  EXPECT_GT(CountInk(*Shown(), *unlit, led), 0);
}

TEST_F(X11PedalView, SyncCaptionPopupChosenWithTheMouse) {
  const IBounds caption = pedal->ControlRect(FenwoxQuil::kSync16th);
  std::unique_ptr<Raster_MemBitmap> before = Shown();
  std::thread user([this] {
    X11TestDisplay other;
    std::vector<Window> popups;
    X11TestDisplay::WaitFor([&] { return !(popups = other.MappedPopups(pedal->host)).empty(); }, nullptr);
    if (!popups.empty()) other.Click(popups[0], 12, 1 + 20 * 3 + 10);  // "3"
  });
  x.Click(pedal->window, caption.left + 4, caption.top + 4);
  Pump(100);
  user.join();
  ASSERT_TRUE(PumpUntilChanged(*before, caption));
  EXPECT_DOUBLE_EQ(Value(FenwoxQuil::kSync16th), pedal->plugin->Param(FenwoxQuil::kSync16th)->ToNormalized(3));
  const std::vector<Edit> edits = pedal->EditsOf(FenwoxQuil::kSync16th);
  ASSERT_EQ(edits.size(), 3u);
  EXPECT_EQ(edits[0].kind, 'b');
  EXPECT_EQ(edits[1].kind, 'p');
  EXPECT_EQ(edits[2].kind, 'e');
}

TEST_F(X11PedalView, HostAutomationShowsAtTheNextTimerTick) {
  const IBounds knob = pedal->ControlRect(FenwoxQuil::kEffectLevel);
  std::unique_ptr<Raster_MemBitmap> before = Shown();
  SetFromHost(FenwoxQuil::kEffectLevel, 0.95);
  dynamic_cast<IEditorLoopClient*>(pedal->editor())->OnDescriptorReady();
  EXPECT_EQ(CountInk(*Shown(), *before, knob), 0);
  loop->fireTimers();
  EXPECT_GT(CountInk(*Shown(), *before, knob), 0);
}

TEST_F(X11PedalView, ClosingAndReopeningAHundredTimesLeavesNothingBehind) {
  const auto cycle = [this] {
    ASSERT_EQ(pedal->view->removed(), kResultOk);
    ASSERT_EQ(pedal->view->attached(reinterpret_cast<void*>(pedal->host), "X11EmbedWindowID"), kResultOk);
    loop->runOnce(0);
    loop->fireTimers();
  };
  for (int i = 0; i < 5; ++i) cycle();
  const int windows = x.CountAllWindows(), descriptors = OpenDescriptors(), segments = SharedSegments();
  const std::map<std::string, unsigned long> resources = x.ServerResources();
  ASSERT_GT(resources.count("PIXMAP") + resources.count("GC"), 0u) << "the server counts no resources";
  const size_t heap = mallinfo2().uordblks;
  for (int i = 0; i < 100; ++i) cycle();
  EXPECT_EQ(x.ServerResources(), resources);
  EXPECT_EQ(x.Children(pedal->host).size(), 1u);
  EXPECT_EQ(x.CountAllWindows(), windows);
  EXPECT_EQ(OpenDescriptors(), descriptors);
  EXPECT_EQ(SharedSegments(), segments);
  EXPECT_EQ(loop->handlerCount(), 1u);
  EXPECT_EQ(loop->timerCount(), 1u);
  EXPECT_LT(mallinfo2().uordblks, heap + 64 * 1024);

  ASSERT_EQ(pedal->view->removed(), kResultOk);
  EXPECT_TRUE(x.Children(pedal->host).empty());
  EXPECT_EQ(loop->handlerCount(), 0u);
  EXPECT_EQ(loop->timerCount(), 0u);
  ASSERT_EQ(pedal->view->attached(reinterpret_cast<void*>(pedal->host), "X11EmbedWindowID"), kResultOk);
}

TEST_F(X11PedalView, TwoInstancesEditorsRunSideBySide) {
  OpenPedal second(x, loop, kHostX + 420, kHostY);
  ASSERT_EQ(second.attached, kResultOk);
  Pump(100);
  const IBounds knob = second.ControlRect(FenwoxQuil::kFeedback);
  x.MoveTo(second.window, knob.left + 20, knob.top + 20);
  x.Click(second.window, knob.left + 20, knob.top + 20, 4);
  Pump(100);
  EXPECT_NEAR(second.plugin->getParamNormalized(FenwoxQuil::kFeedback) -
                  pedal->plugin->getParamNormalized(FenwoxQuil::kFeedback),
              0.01, 1e-9);
  // Each window shows its own editor's picture.
  for (OpenPedal* open : {pedal.get(), &second}) {
    const PixelDifference difference = ComparePixels(*open->editor()->BackBuffer(), *x.Grab(open->window));
    EXPECT_TRUE(difference.Equal()) << difference.Describe();
  }
}

TEST_F(X11PedalView, NoRunLoopNoEditor) {
  OpenPedal loopless(x, nullptr, kHostX + 420, kHostY);
  EXPECT_EQ(loopless.attached, kResultFalse);
  EXPECT_TRUE(x.Children(loopless.host).empty());
  EXPECT_EQ(loopless.view->isPlatformTypeSupported("X11EmbedWindowID"), kResultTrue);
  EXPECT_EQ(loopless.view->isPlatformTypeSupported("HWND"), kResultFalse);
}
