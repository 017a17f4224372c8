#include <memory>

#include <benchmark/benchmark.h>

#include "editor/IGraphics.h"
#include "effect/FenwoxQuil.h"

namespace {

// Draws every control of the editor into the back buffer and shows it, as after opening or a
// resize.
void RepaintAll(IGraphics& editor) {
  IBounds all(0, 0, editor.Width(), editor.Height());
  editor.RenderRect(&all);
}

// Full repaint of an open pedal editor.
void BM_EditorFullRepaint(benchmark::State& state) {
  FenwoxQuil plug;
  IGraphics* editor = plug.Editor();
  editor->OpenEditorWindow(nullptr);
  RepaintAll(*editor);
  for (auto _ : state) RepaintAll(*editor);
  editor->CloseEditorWindow();
}
BENCHMARK(BM_EditorFullRepaint)->Unit(benchmark::kMillisecond);

// A second instance while one is open (its images already decoded): constructing the plug-in
// (editor and engine included), opening its editor and the first full paint.
void BM_OpenSecondInstance(benchmark::State& state) {
  FenwoxQuil first;
  first.Editor()->OpenEditorWindow(nullptr);
  RepaintAll(*first.Editor());
  for (auto _ : state) {
    auto second = std::make_unique<FenwoxQuil>();
    second->Editor()->OpenEditorWindow(nullptr);
    RepaintAll(*second->Editor());
    state.PauseTiming();
    second->Editor()->CloseEditorWindow();
    second.reset();
    state.ResumeTiming();
  }
  first.Editor()->CloseEditorWindow();
}
BENCHMARK(BM_OpenSecondInstance)->Unit(benchmark::kMillisecond);

}  // namespace
