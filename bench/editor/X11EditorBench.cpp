// The delay plug-in's editor on X11: from opening its window in the host's to the first complete
// picture in it, and redrawing every control once the window is open.
#include "editor/IControl.h"
#include "editor/x11/IGraphicsX11.h"
#include "effect/FenwoxQuil.h"

#include <X11/Xlib.h>
#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

// The plug-in and a host window to open its editor in, for one benchmark run.
struct HostedPedal {
  HostedPedal() {
    display = XOpenDisplay(nullptr);
    if (!display) return;
    host = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 410, 460, 0, 0, 0);
    XMapWindow(display, host);
    XSync(display, False);
    editor = dynamic_cast<IGraphicsX11*>(plugin->Editor());
  }
  ~HostedPedal() {
    if (editor) editor->CloseEditorWindow();
    plugin->release();
    if (display) {
      XDestroyWindow(display, host);
      XCloseDisplay(display);
    }
  }
  void* parent() const { return reinterpret_cast<void*>(static_cast<uintptr_t>(host)); }

  FenwoxQuil* plugin = new FenwoxQuil(nullptr);
  Display* display = nullptr;
  Window host = 0;
  IGraphicsX11* editor = nullptr;
};

void BM_OpenToFirstPaint(benchmark::State& state) {
  HostedPedal pedal;
  if (!pedal.editor) {
    state.SkipWithError("no X display or no X11 editor");
    return;
  }
  bool shared = false;
  for (auto _ : state) {
    // A new connection, the window, the image transfer set up, then the first tick draws everything
    // and shows it.
    if (!pedal.editor->OpenEditorWindow(pedal.parent())) {
      state.SkipWithError("the editor window did not open");
      return;
    }
    pedal.editor->OnLoopTimer();
    state.PauseTiming();
    shared = pedal.editor->UsesSharedMemory();
    pedal.editor->CloseEditorWindow();
    state.ResumeTiming();
  }
  state.SetLabel(shared ? "shared memory" : "plain image requests");
}
BENCHMARK(BM_OpenToFirstPaint)->Unit(benchmark::kMillisecond);

void BM_FullRepaint(benchmark::State& state) {
  HostedPedal pedal;
  if (!pedal.editor || !pedal.editor->OpenEditorWindow(pedal.parent())) {
    state.SkipWithError("no X display or no X11 editor");
    return;
  }
  pedal.editor->OnLoopTimer();
  const bool shared = pedal.editor->UsesSharedMemory();
  for (auto _ : state) {
    for (int i = 0; i < pedal.editor->ControlCount(); ++i) pedal.editor->Control(i)->MarkDirty(false);
    pedal.editor->OnLoopTimer();
  }
  state.SetLabel(shared ? "shared memory" : "plain image requests");
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
