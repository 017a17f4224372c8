#include "core/PtrList.h"
#include "core/TextBuffer.h"
#include "core/TypedBuffer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Heap hooks whose reallocation and allocation can be made to fail.
struct FailingHeap
{
  static inline bool failRealloc = false;
  static inline bool failAlloc = false;
  static void* Allocate(size_t n) { return failAlloc ? nullptr : std::malloc(n); }
  static void* Reallocate(void* p, size_t n) { return failRealloc ? nullptr : std::realloc(p, n); }
};

class HeapFailure : public ::testing::Test
{
protected:
  void SetUp() override
  {
    static const HeapHooks hooks = {FailingHeap::Allocate, FailingHeap::Reallocate, std::free};
    FailingHeap::failRealloc = FailingHeap::failAlloc = false;
    TypedBuffer::SetHeapHooks(&hooks);
  }
  void TearDown() override { TypedBuffer::SetHeapHooks(nullptr); }
};

struct GrowthCase
{
  int granularity;
  int newSize;
  int capacity;
};

} // namespace

TEST(TypedBuffer, GrowsByHalfTheRequestAtLeastOneGranule)
{
  const GrowthCase cases[] = {
      {4096, 8, 4000},                // 8 + 96 + 4096 = 4200, down to 4096, minus 96
      {4096, 4000, 8096},             // growth stays one page
      {4096, 20000, 24480},           // growth 10000 rounded down to 8192
      {4096, 10000000, 14192544},     // growth limited to 4194304
      {128, 10, 138},                 // small granularity: size + granule
      {128, 1000, 1500},              // size + half
  };
  for (const GrowthCase& c : cases) {
    TypedBuffer buffer(c.granularity);
    EXPECT_NE(buffer.SetSize(c.newSize, false), nullptr);
    EXPECT_EQ(buffer.Size(), c.newSize);
    EXPECT_EQ(buffer.Capacity(), c.capacity) << "granularity " << c.granularity << " size " << c.newSize;
  }
}

TEST(TypedBuffer, ReallocatesOnlyToGrowPastCapacityOrToRelease)
{
  TypedBuffer buffer(128);
  void* first = buffer.SetSize(1000, false);
  ASSERT_EQ(buffer.Capacity(), 1500);
  EXPECT_EQ(buffer.SetSize(1400, false), first);
  EXPECT_EQ(buffer.SetSize(10, false), first); // shrinking without release keeps the block
  EXPECT_EQ(buffer.Capacity(), 1500);

  buffer.SetSize(1000, false);
  buffer.SetSize(800, true); // above min(1500 / 2, 1500 - 4 * 128): kept
  EXPECT_EQ(buffer.Capacity(), 1500);
  buffer.SetSize(100, true); // below it: reallocated smaller
  EXPECT_EQ(buffer.Capacity(), 228);
  EXPECT_EQ(buffer.Size(), 100);
}

TEST(TypedBuffer, ZeroAndNegativeSizes)
{
  TypedBuffer buffer;
  buffer.SetSize(100, false);
  EXPECT_EQ(buffer.SetSize(-5, false), nullptr); // counts as 0; without release the block stays
  EXPECT_EQ(buffer.Size(), 0);
  EXPECT_EQ(buffer.Bytes(), nullptr);
  EXPECT_EQ(buffer.Capacity(), 4000);

  buffer.SetSize(100, false);
  EXPECT_EQ(buffer.SetSize(0, true), nullptr);
  EXPECT_EQ(buffer.Capacity(), 0);
}

TEST(TypedBuffer, SizesBeyondThirtyTwoBitsAreRefused)
{
  TypedBuffer buffer;
  buffer.SetSize(16, false);
  EXPECT_FALSE(buffer.SetCount<double>(INT32_MAX / 4, false));
  EXPECT_EQ(buffer.Size(), 16);
  buffer.SetSize(INT32_MAX, false); // the capacity the rule asks for does not fit 32 bits
  EXPECT_EQ(buffer.Size(), 16);
  EXPECT_EQ(buffer.Capacity(), 4000);
}

TEST_F(HeapFailure, FailedReallocationFallsBackToACopy)
{
  TypedBuffer buffer(128);
  char* chars = static_cast<char*>(buffer.SetSize(10, false));
  std::memcpy(chars, "abcdefghi", 10);
  FailingHeap::failRealloc = true;
  chars = static_cast<char*>(buffer.SetSize(1000, false));
  ASSERT_EQ(buffer.Size(), 1000);
  EXPECT_STREQ(chars, "abcdefghi");
}

TEST_F(HeapFailure, FailedAllocationLeavesTheBufferAsItWas)
{
  TypedBuffer buffer(128);
  void* before = buffer.SetSize(10, false);
  FailingHeap::failRealloc = FailingHeap::failAlloc = true;
  EXPECT_EQ(buffer.SetSize(1000, false), before);
  EXPECT_EQ(buffer.Size(), 10);
  EXPECT_EQ(buffer.Capacity(), 138);

  PtrList<int> list;
  int item = 0;
  EXPECT_EQ(list.Append(&item), nullptr);
  EXPECT_EQ(list.Count(), 0);

  TextBuffer text(128);
  EXPECT_FALSE(text.Assign("hello"));
  EXPECT_STREQ(text.Text(), "");
}

TEST(TextBuffer, AssignTakesAtMostMaxLenCharacters)
{
  struct Case
  {
    const char* text;
    int maxLen;
    const char* expected;
  };
  const Case cases[] = {
      {"delay", 0, "delay"}, {"delay", -3, "delay"}, {"delay", 3, "del"},
      {"delay", 99, "delay"}, {"", 0, ""}, {nullptr, 0, ""},
  };
  for (const Case& c : cases) {
    TextBuffer text(128);
    ASSERT_TRUE(text.Assign(c.text, c.maxLen));
    EXPECT_STREQ(text.Text(), c.expected);
    EXPECT_EQ(text.Size(), static_cast<int>(std::strlen(c.expected)) + 1);
  }
  EXPECT_STREQ(TextBuffer().Text(), "");
}

TEST(TextBuffer, AssignFromItsOwnStorage)
{
  TextBuffer text(128);
  const std::string longText(1000, 'x');
  text.Assign((longText + "tail").c_str());
  text.Assign(text.Text() + 1000);
  EXPECT_STREQ(text.Text(), "tail");
  text.Assign(text.Text() + 1, 2);
  EXPECT_STREQ(text.Text(), "ai");
}

TEST(TextBuffer, InsertAtKeepsTheGivenTail)
{
  TextBuffer text(128);
  text.Assign("hello world");
  text.InsertAt(5, ",", 1, 6);
  EXPECT_STREQ(text.Text(), "hello, world");
  text.InsertAt(5, "!", 1, 0); // nothing after the insertion kept
  EXPECT_STREQ(text.Text(), "hello!");
  text.InsertAt(100, " there", 6, 50); // position and tail limited to the text
  EXPECT_STREQ(text.Text(), "hello! there");
}

TEST(TextBuffer, AssignFormattedIsBounded)
{
  TextBuffer text(128);
  text.AssignFormatted(64, "Output %i", 2);
  EXPECT_STREQ(text.Text(), "Output 2");
  text.AssignFormatted(5, "%s", "abcdefgh");
  EXPECT_STREQ(text.Text(), "abcde");
  EXPECT_EQ(text.Size(), 6);
}

namespace {
struct Tracked
{
  explicit Tracked(std::vector<int>* log, int id) : log(log), id(id) {}
  ~Tracked() { log->push_back(id); }
  std::vector<int>* log;
  int id;
};
} // namespace

TEST(PtrList, IndexesInsertsAndRemoves)
{
  int a = 1, b = 2, c = 3;
  PtrList<int> list;
  EXPECT_EQ(list.At(0), nullptr);
  list.Append(&a);
  list.Append(&c);
  list.Insert(1, &b);
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.At(-1), nullptr);
  EXPECT_EQ(list.At(3), nullptr);
  EXPECT_EQ(*list.At(1), 2);
  EXPECT_EQ(list.Remove(0), &a);
  EXPECT_EQ(list.Remove(5), nullptr);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.At(0), &b);
  EXPECT_EQ(list.At(1), &c);
}

TEST(PtrList, DeleteAllDeletesFromLastToFirst)
{
  std::vector<int> log;
  PtrList<Tracked> list;
  for (int id = 0; id < 3; ++id) list.Append(new Tracked(&log, id));
  list.Append(nullptr);
  list.DeleteAll(true);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(log, (std::vector<int>{2, 1, 0}));
}
