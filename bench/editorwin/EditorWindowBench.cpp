// How fast the Windows editor comes up and redraws: from opening the window in a host's window to
// the end of its first paint, and a repaint of the whole pedal (render every control into the back
// buffer and copy it to the window). Prints the median and the fastest of many rounds.
#include "editor/win/IGraphicsWin.h"
#include "effect/FenwoxQuil.h"
#include "tools/host/ShowWindow.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Microseconds(Clock::time_point since)
{
  return std::chrono::duration<double, std::micro>(Clock::now() - since).count();
}

void Report(const char* what, std::vector<double> samples)
{
  std::sort(samples.begin(), samples.end());
  std::printf("%-36s median %9.1f us   fastest %9.1f us   (%zu rounds)\n", what, samples[samples.size() / 2],
              samples.front(), samples.size());
}

}  // namespace

int main()
{
  std::string error;
  auto host = quilhost::ShowWindow::create(410, 460, "bench", error);
  if (!host) {
    std::fprintf(stderr, "bench_editorwin: %s\n", error.c_str());
    return 1;
  }
  FenwoxQuil pedal;
  auto* editor = dynamic_cast<IGraphicsWin*>(pedal.Editor());
  if (!editor) return 1;

  std::vector<double> firstPaint;
  for (int round = 0; round < 50; ++round) {
    const Clock::time_point start = Clock::now();
    HWND window = static_cast<HWND>(editor->OpenEditorWindow(host->nativeHandle()));
    UpdateWindow(window);  // the first paint, handled before this returns
    firstPaint.push_back(Microseconds(start));
    host->pump(0);
    editor->CloseEditorWindow();
  }
  Report("open to end of first paint", firstPaint);

  HWND window = static_cast<HWND>(editor->OpenEditorWindow(host->nativeHandle()));
  host->pump(100);
  std::vector<double> repaint;
  for (int round = 0; round < 300; ++round) {
    const Clock::time_point start = Clock::now();
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    repaint.push_back(Microseconds(start));
  }
  Report("full repaint of the pedal", repaint);
  editor->CloseEditorWindow();
  return 0;
}
