#include "raster/Raster_Utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct DecodeCase {
  const char* name;
  std::string bytes;
  int available;
  int code;
  int taken;
};

TEST(Utf8, DecodesEachSequenceKindAndTakesMalformedBytesAsThemselves)
{
  const DecodeCase cases[] = {
      {"ascii", "A", 1, 'A', 1},
      {"two bytes", "\xC3\xA9", 2, 0xE9, 2},
      {"three bytes", "\xE2\x82\xAC", 3, 0x20AC, 3},
      {"four bytes become a space", "\xF0\x9F\x8E\xB8", 4, ' ', 4},
      {"lone 0xC1", "\xC1", 1, 0xC1, 1},
      {"overlong lead 0xC1 with trail", "\xC1\x81", 2, 0xC1, 1},
      {"lead without trail", "\xC3" "A", 2, 0xC3, 1},
      {"0xC0 counts as a trail byte", "\xC3\xC0", 2, 0xC0, 2},
      {"lead beyond 0xF4", "\xF5\x80\x80\x80", 4, 0xF5, 1},
      {"sequence cut by the length", "\xC3\xA9", 1, 0xC3, 1},
      {"three-byte sequence cut by the length", "\xE2\x82\xAC", 2, 0xE2, 1},
      {"four-byte sequence cut by the length", "\xF0\x9F\x8E\xB8", 3, 0xF0, 1},
  };
  for (const DecodeCase& c : cases) {
    int code = -1;
    EXPECT_EQ(Raster_DecodeUtf8(c.bytes.data(), c.available, &code), c.taken) << c.name;
    EXPECT_EQ(code, c.code) << c.name;
  }
}

TEST(Utf8, FindsWellFormedSequencesOnlyWithinTheLength)
{
  EXPECT_FALSE(Raster_HasUtf8Sequence("plain text & more", 17));
  EXPECT_TRUE(Raster_HasUtf8Sequence("caf\xC3\xA9", 5));
  EXPECT_FALSE(Raster_HasUtf8Sequence("caf\xC3\xA9", 4));
  EXPECT_FALSE(Raster_HasUtf8Sequence("\xC1\x81 \xC3\xC0", 5));
  EXPECT_TRUE(Raster_HasUtf8Sequence("x\xF0\x9F\x8E\xB8", 5));
}

}  // namespace
