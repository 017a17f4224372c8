// `quilhost show` on Linux with the delay plug-in's bundle: a real top-level window, input played
// from an event file through XTest, the edits the host received and the screenshot it wrote.
#include <gtest/gtest.h>

#include "raster/Png.h"
#include "tests/support/PixelCompare.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace {

std::unique_ptr<Raster_IBitmap> ReadPng(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return std::unique_ptr<Raster_IBitmap>(Raster_PngFromMemory(bytes.data(), static_cast<int>(bytes.size())));
}

// Runs a command and returns what it printed; *status gets its exit status.
std::string RunCommand(const std::string& command, int* status)
{
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return output;
  char buffer[512];
  while (std::fgets(buffer, sizeof(buffer), pipe)) output += buffer;
  *status = pclose(pipe);
  return output;
}

} // namespace

TEST(X11Show, ScriptedDragAndFootswitchReachTheHostAndTheScreenshot)
{
  const std::string scratch = QUIL_TEST_SCRATCH;
  const std::string events = scratch + "/show-events.txt", shot = scratch + "/show.png",
                    reference = scratch + "/show-reference.png";
  // Time's knob at (163, 62), 64 pixels: up by 60 pixels; then a press on the footswitch.
  std::ofstream(events) << "0 move 195 94\n50 down 195 94\n100 move 195 64\n150 move 195 34\n200 up 195 34\n"
                           "300 down 150 350\n350 up 150 350\n";
  int status = -1;
  // A sanitizer build's host reports what fontconfig leaves behind when it is unloaded with the plug-in.
  const std::string environment = std::string("LSAN_OPTIONS=suppressions=") + QUIL_LSAN_SUPPRESSIONS + " ";
  const std::string output = RunCommand(environment + QUILHOST + " show " + QUIL_BUNDLE + " --events " + events +
                                     " --screenshot " + shot,
                                 &status);
  ASSERT_EQ(status, 0) << output;
  for (const char* expected : {"in a X11EmbedWindowID window", "host: beginEdit 1", "host: performEdit 1 0.234375",
                               "host: endEdit 1", "host: beginEdit 8", "host: performEdit 8 1.000000",
                               "host: endEdit 8"})
    EXPECT_NE(output.find(expected), std::string::npos) << expected << " missing from:\n" << output;

  // Everything but the turned knob and the lit LED looks as the window-less editor draws it.
  ASSERT_EQ(std::system((std::string(QUIL_EDITORSHOT) + " " + reference + " 7=0").c_str()), 0);
  std::unique_ptr<Raster_IBitmap> expected = ReadPng(reference), actual = ReadPng(shot);
  ASSERT_NE(expected, nullptr);
  ASSERT_NE(actual, nullptr);
  const IBounds timeKnob(163, 62, 227, 126), led(151, 31, 167, 47);
  const PixelDifference difference = ComparePixels(*expected, *actual, {timeKnob, led});
  EXPECT_TRUE(difference.Equal()) << difference.Describe();
  EXPECT_GT(CountInk(*actual, *expected, timeKnob), 0);
  EXPECT_GT(CountInk(*actual, *expected, led), 0);
}
