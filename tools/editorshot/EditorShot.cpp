// quil_editorshot <out.png> [index=value ...]
// Builds the plug-in with its editor, applies parameter settings (plain values by parameter index;
// without any, a set that shows every kind of control away from its default), opens the editor
// without a window, lets it draw and writes the picture as a PNG.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "editor/offscreen/IGraphicsOffscreen.h"
#include "effect/FenwoxQuil.h"

namespace {

struct Setting {
  int paramIdx;
  double value;
};

const Setting kShowcase[] = {
    {FenwoxQuil::kEffectLevel, 62.0}, {FenwoxQuil::kFeedback, 45.0},  {FenwoxQuil::kTime, 70.0},
    {FenwoxQuil::kDelayRange, 1.0},   {FenwoxQuil::kAnalogSat, 1.0},  {FenwoxQuil::kAnalogHiss, 0.0},
    {FenwoxQuil::kStereoMode, 1.0},   {FenwoxQuil::kSync16th, 0.0},   {FenwoxQuil::kEffectActive, 1.0},
};

// "index=value" with a known index and a number; false otherwise.
bool ParseSetting(const char* text, int paramCount, Setting* out) {
  char* end = nullptr;
  const long index = std::strtol(text, &end, 10);
  if (end == text || *end != '=' || index < 0 || index >= paramCount) return false;
  const char* number = end + 1;
  out->value = std::strtod(number, &end);
  out->paramIdx = static_cast<int>(index);
  return end != number && *end == '\0';
}

int Usage(const char* program) {
  std::fprintf(stderr, "usage: %s <out.png> [index=value ...]\n", program);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage(argv[0]);
  // The plug-in is reference counted like every VST3 object: its creator holds the first reference.
  FenwoxQuil* plug = new FenwoxQuil(nullptr);
  std::vector<Setting> settings(std::begin(kShowcase), std::end(kShowcase));
  if (argc > 2) {
    settings.clear();
    for (int i = 2; i < argc; ++i) {
      Setting setting{};
      if (!ParseSetting(argv[i], plug->ParamCount(), &setting)) {
        std::fprintf(stderr, "not a setting: %s\n", argv[i]);
        plug->release();
        return Usage(argv[0]);
      }
      settings.push_back(setting);
    }
  }

  // As a host restoring state: set each value, let the plug-in react, then show them all.
  for (const Setting& setting : settings) {
    plug->Param(setting.paramIdx)->SetValue(setting.value);
    plug->ParameterChanged(setting.paramIdx, false);
  }
  plug->PushParamsToEditor();

  int status = 0;
  auto* editor = dynamic_cast<IGraphicsOffscreen*>(plug->Editor());
  if (!editor || !editor->OpenEditorWindow(nullptr)) {
    std::fprintf(stderr, "the editor could not be opened\n");
    status = 1;
  } else {
    while (editor->Tick()) {
    }
    if (!editor->SaveScreen(argv[1])) {
      std::fprintf(stderr, "cannot write %s\n", argv[1]);
      status = 1;
    }
    editor->CloseEditorWindow();
  }
  plug->release();
  return status;
}
