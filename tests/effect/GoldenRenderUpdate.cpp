// Rewrites the stored golden renders from the plug-in as it sounds now, after telling how far each
// render moved from the stored one. Only for a change of sound made on purpose.
//   golden_render_update <file> [<folder for the full renders as raw doubles>]
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tests/effect/GoldenRender.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <golden file> [<raw render folder>]\n", argv[0]);
    return 2;
  }
  const std::string path = argv[1];
  std::vector<golden::Summary> old;
  const bool haveOld = golden::Read(path, old);
  std::vector<golden::Summary> fresh;
  const std::vector<golden::Preset>& presets = golden::Presets();
  for (std::size_t i = 0; i < presets.size(); ++i) {
    const std::vector<double> render = golden::Render(presets[i]);
    fresh.push_back(golden::Summarise(presets[i].name, render));
    if (argc > 2) {
      std::ofstream raw(std::string(argv[2]) + "/" + presets[i].name + ".f64", std::ios::binary);
      raw.write(reinterpret_cast<const char*>(render.data()), static_cast<std::streamsize>(render.size() * sizeof(double)));
    }
    const std::string change =
        haveOld && i < old.size() ? golden::Compare(old[i], fresh.back(), 0.0) : std::string("new");
    std::printf("%-32s %s\n", presets[i].name, change.empty() ? "unchanged" : change.c_str());
  }
  if (!golden::Write(path, fresh)) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return 1;
  }
  std::printf("wrote %s\n", path.c_str());
  return 0;
}
