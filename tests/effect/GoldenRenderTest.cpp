#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/effect/GoldenRender.h"

namespace {

// Every build renders the same bits (the engine's arithmetic is SSE2 double throughout and its
// elementary functions are our own), so one stored file serves every platform, exactly.
void ExpectEveryPresetAsStored() {
  std::vector<golden::Summary> stored;
  ASSERT_TRUE(golden::Read(QUIL_GOLDEN_FILE, stored)) << "cannot read " << QUIL_GOLDEN_FILE;
  const std::vector<golden::Preset>& presets = golden::Presets();
  ASSERT_EQ(stored.size(), presets.size()) << "regenerate the file with golden_render_update";
  for (std::size_t i = 0; i < presets.size(); ++i) {
    const golden::Summary rendered = golden::Summarise(presets[i].name, golden::Render(presets[i]));
    EXPECT_EQ(golden::Compare(stored[i], rendered, 0.0), "") << presets[i].name;
  }
}

TEST(GoldenRender, EveryPresetSoundsAsStored) { ExpectEveryPresetAsStored(); }

#if defined(__i386__)
// Hosts may leave the x87 unit at 64-bit precision (the runtimes start it at 53 or 64). Nothing on
// the audio or design path may depend on it.
TEST(GoldenRender, SameBitsWithTheX87UnitAtExtendedPrecision) {
  unsigned short saved = 0;
  __asm__ volatile("fnstcw %0" : "=m"(saved));
  const unsigned short extended = static_cast<unsigned short>(saved | 0x300);
  __asm__ volatile("fldcw %0" : : "m"(extended));
  ExpectEveryPresetAsStored();
  __asm__ volatile("fldcw %0" : : "m"(saved));
}
#endif

}  // namespace
