#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/effect/GoldenRender.h"

namespace {

// Today's renders differ between the C runtimes (tanh and tan one or two units in the last place
// apart, x87 library code on i386), by up to about 1e-14.
constexpr double kTolerance = 1e-13;

TEST(GoldenRender, EveryPresetSoundsAsStored) {
  std::vector<golden::Summary> stored;
  ASSERT_TRUE(golden::Read(QUIL_GOLDEN_FILE, stored)) << "cannot read " << QUIL_GOLDEN_FILE;
  const std::vector<golden::Preset>& presets = golden::Presets();
  ASSERT_EQ(stored.size(), presets.size()) << "regenerate the file with golden_render_update";
  for (std::size_t i = 0; i < presets.size(); ++i) {
    const golden::Summary rendered = golden::Summarise(presets[i].name, golden::Render(presets[i]));
    EXPECT_EQ(golden::Compare(stored[i], rendered, kTolerance), "") << presets[i].name;
  }
}

}  // namespace
