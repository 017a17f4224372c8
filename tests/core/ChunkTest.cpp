#include "core/IChunkBuffer.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

std::vector<uint8_t> BytesOf(const IChunkBuffer& chunk)
{
  return std::vector<uint8_t>(chunk.Bytes(), chunk.Bytes() + chunk.Size());
}

} // namespace

TEST(ChunkBuffer, WritesLittleEndian)
{
  IChunkBuffer chunk;
  chunk.PutInt32(0x01020304);
  chunk.PutDouble(1.0);
  chunk.PutString("ab");
  chunk.PutByte(7);
  chunk.PutString(nullptr);
  EXPECT_EQ(BytesOf(chunk), (std::vector<uint8_t>{4, 3, 2, 1, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F, 2, 0, 0, 0, 'a', 'b', 7,
                                                    0, 0, 0, 0}));

  int32_t i = 0;
  double d = 0;
  uint8_t b = 0;
  char text[3] = {};
  int pos = chunk.GetInt32(0, &i);
  pos = chunk.GetDouble(pos, &d);
  pos = chunk.GetInt32(pos, &i);
  pos = chunk.GetBytes(pos, text, 2);
  pos = chunk.GetByte(pos, &b);
  EXPECT_EQ(pos, 19);
  EXPECT_EQ(d, 1.0);
  EXPECT_STREQ(text, "ab");
  EXPECT_EQ(b, 7);
}

// A read happens only when the whole value lies inside the chunk; otherwise the position becomes -1
// and the value 0, also where position + width would pass the 32-bit limit.
TEST(ChunkBuffer, ReadsPastTheEndGiveMinusOne)
{
  IChunkBuffer chunk;
  for (int i = 0; i < 12; ++i) chunk.PutByte(0xAB);
  const int positions[] = {9, 12, -1, -8, INT_MAX - 3, INT_MAX - 1, INT_MAX};
  for (int pos : positions) {
    int32_t i = 1;
    double d = 1;
    uint8_t b = 1;
    EXPECT_EQ(chunk.GetInt32(pos, &i), -1) << pos;
    EXPECT_EQ(i, 0);
    EXPECT_EQ(chunk.GetDouble(pos, &d), -1) << pos;
    EXPECT_EQ(d, 0.0);
    if (pos != 9) {
      EXPECT_EQ(chunk.GetByte(pos, &b), -1) << pos;
      EXPECT_EQ(b, 0);
    }
  }
  char bytes[4];
  EXPECT_EQ(chunk.GetBytes(INT_MAX - 1, bytes, 4), -1);
  EXPECT_EQ(chunk.GetBytes(0, bytes, -1), -1);
  int32_t last;
  EXPECT_EQ(chunk.GetInt32(8, &last), 12);
}

TEST(ChunkBuffer, Header)
{
  IChunkBuffer chunk;
  chunk.PutInt32(99);
  ASSERT_TRUE(chunk.PutHeader());
  EXPECT_EQ(BytesOf(chunk), (std::vector<uint8_t>{'t', 'f', 'f', 'p', 0, 0, 1, 0}));
  int pos = 0;
  EXPECT_EQ(chunk.ReadHeader(&pos), 0x10000);
  EXPECT_EQ(pos, 8);

  IChunkBuffer bare;
  bare.PutDouble(0.5);
  pos = 0;
  EXPECT_EQ(bare.ReadHeader(&pos), 0);
  EXPECT_EQ(pos, 0);

  IChunkBuffer cut;
  cut.PutInt32(IChunkBuffer::kHeaderMagic);
  pos = 0;
  EXPECT_EQ(cut.ReadHeader(&pos), 0);
  EXPECT_EQ(pos, -1);
}

TEST(ChunkBuffer, GrowZeroedFillsWhatItAddsAndSurvivesBadSizes)
{
  IChunkBuffer chunk;
  chunk.PutInt32(-1);
  EXPECT_EQ(chunk.GrowZeroed(10), 4);
  EXPECT_EQ(BytesOf(chunk), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0}));

  EXPECT_EQ(chunk.GrowZeroed(INT_MAX), 10); // cannot be had: unchanged
  EXPECT_EQ(chunk.Size(), 10);
  EXPECT_EQ(chunk.GrowZeroed(-7), 10); // counts as 0
  EXPECT_EQ(chunk.Size(), 0);
  EXPECT_TRUE(chunk.PutByte(1));
  EXPECT_EQ(chunk.Size(), 1);
}
