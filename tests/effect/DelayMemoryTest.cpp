#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "effect/DelayMemory.h"
#include "tests/effect/AllocationCounter.h"

namespace {

// The memory as the engine sets it up for mode 0 at 44.1 kHz: 800 ms of storage, a 50 ms circle.
class DelayMemoryFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    memory.SetRate(44100);
    memory.Allocate(35280);
    memory.SetMaxMs(50);
  }

  // Sample indices at which an impulse fed at sample 0 comes out, within `count` samples.
  std::vector<int> ImpulseOutputs(int count) {
    std::vector<int> hits;
    for (int i = 0; i < count; ++i)
      if (memory.Step(i == 0 ? 1 : 0) != 0) hits.push_back(i);
    return hits;
  }

  DelayMemory memory;
};

TEST_F(DelayMemoryFixture, SlowestClockDelaysByTheCircleOverTwenty) {
  EXPECT_EQ(memory.Capacity(), 705600);
  EXPECT_EQ(memory.Length(), 44100);
  memory.SetClock(50, 1.0);
  EXPECT_EQ(memory.PositionsPerStep(), 20);
  EXPECT_EQ(ImpulseOutputs(5000), std::vector<int>{2204});
}

TEST_F(DelayMemoryFixture, FastestClockOfModeZero) {
  memory.SetClock(12, 50.0 / 12.0);
  EXPECT_EQ(memory.PositionsPerStep(), 83);
  EXPECT_EQ(ImpulseOutputs(600), std::vector<int>{531});
}

TEST_F(DelayMemoryFixture, LongestRangeFillsTheCapacity) {
  memory.SetMaxMs(800);
  EXPECT_EQ(memory.Length(), 705600);
}

TEST_F(DelayMemoryFixture, StoppedClockReturnsSilenceAndStaysPut) {
  memory.SetClock(50, 1.0);
  memory.Step(1024);
  const int index = memory.WriteIndex();
  for (double step : {0.0, -1.0, std::nan("")}) {
    memory.SetClock(50, step);
    EXPECT_EQ(memory.Step(1536), 0);
    EXPECT_EQ(memory.WriteIndex(), index);
  }
}

TEST_F(DelayMemoryFixture, FrozenMemoryLoopsWhatItHolds) {
  memory.SetMaxMs(1);  // 44 samples x 20 positions
  memory.SetClock(1, 1.0);
  // The last recording step read back sample 1, the oldest; the loop goes on from sample 2.
  for (int i = 0; i < 44; ++i) memory.Step(i + 1);
  memory.SetFreeze(true);
  for (int lap = 0; lap < 3; ++lap)
    for (int i = 0; i < 44; ++i)
      ASSERT_EQ(memory.Step(-7), (i + 1) % 44 + 1) << "lap " << lap << " sample " << i;
}

TEST_F(DelayMemoryFixture, ShorterCircleAndSmallerStorageKeepTheIndexInside) {
  memory.SetMaxMs(800);
  memory.SetClock(800, 1.0);
  for (int i = 0; i < 3000; ++i) memory.Step(1);
  ASSERT_GE(memory.WriteIndex(), 44100);
  memory.SetMaxMs(50);
  EXPECT_EQ(memory.WriteIndex(), 44099);
  memory.SetMaxMs(800);
  memory.Allocate(100);
  EXPECT_EQ(memory.Capacity(), 2000);
  EXPECT_EQ(memory.Length(), 2000);
  EXPECT_EQ(memory.WriteIndex(), 0);
}

// A literal position-by-position model of the memory, to check the run-wise writes against.
struct ReferenceMemory {
  std::vector<DelayMemory::Sample> items;
  int writeIndex = 0;

  DelayMemory::Sample Step(DelayMemory::Sample x, int n, bool freeze) {
    DelayMemory::Sample out = 0;
    for (int i = 0; i < n; ++i) {
      if (!freeze) items[writeIndex] = x;
      if (++writeIndex >= static_cast<int>(items.size())) writeIndex = 0;
      out = items[writeIndex];
    }
    return out;
  }
};

TEST(DelayMemory, RunWiseWritesMatchPositionByPosition) {
  struct Case {
    int ms;
    double step;
  };
  // Circles of 44 x 20 = 880 positions; clocks from 20 to well past one circle per sample.
  for (const Case c : {Case{1, 1.0}, Case{1, 4.15}, Case{1, 43.9}, Case{1, 44.0}, Case{1, 101.3}}) {
    DelayMemory memory;
    memory.SetRate(44100);
    memory.Allocate(100);
    memory.SetMaxMs(c.ms);
    memory.SetClock(c.ms, c.step);
    ReferenceMemory reference{std::vector<DelayMemory::Sample>(memory.Length(), 0)};
    for (int i = 0; i < 500; ++i) {
      const bool freeze = (i / 37) % 3 == 2;
      memory.SetFreeze(freeze);
      // Up to a billion steps: far beyond what single precision would hold exactly.
      const auto x = static_cast<DelayMemory::Sample>(1e9 * std::sin(i * 0.37));
      ASSERT_EQ(memory.Step(x), reference.Step(x, memory.PositionsPerStep(), freeze)) << c.step << " @ " << i;
      ASSERT_EQ(memory.WriteIndex(), reference.writeIndex);
    }
  }
}

TEST(DelayMemory, UnusableSetupsReadSilenceWithoutWriting) {
  // Never allocated.
  DelayMemory unallocated;
  unallocated.SetMaxMs(50);
  unallocated.SetClock(50, 1.0);
  EXPECT_EQ(unallocated.Length(), 0);
  EXPECT_EQ(unallocated.WriteIndex(), 0);
  EXPECT_EQ(unallocated.Step(2048), 0);

  // Rates of 0 and below, and storage requests of 0 and below or beyond any int size.
  for (int rate : {0, -44100}) {
    DelayMemory memory;
    memory.SetRate(rate);
    memory.Allocate(1000);
    memory.SetMaxMs(50);
    memory.SetClock(50, 1.0);
    EXPECT_EQ(memory.Length(), 0);
    EXPECT_EQ(memory.Step(2048), 0);
  }
  for (int frames : {0, -5, 2000000000}) {
    DelayMemory memory;
    memory.Allocate(frames);
    memory.SetMaxMs(50);
    memory.SetClock(50, 1.0);
    EXPECT_EQ(memory.Capacity(), 0);
    EXPECT_EQ(memory.Step(2048), 0);
  }
}

TEST(DelayMemory, RefusedAllocationLeavesAnEmptyButUsableMemory) {
  DelayMemory memory;
  memory.Allocate(1000);
  memory.SetMaxMs(50);
  allocation_counter::FailNext();
  memory.Allocate(35280);
  EXPECT_EQ(memory.Capacity(), 0);
  EXPECT_EQ(memory.Length(), 0);
  memory.SetClock(50, 1.0);
  EXPECT_EQ(memory.Step(2048), 0);
  // A later allocation that succeeds brings it back.
  memory.Allocate(35280);
  memory.SetMaxMs(50);
  EXPECT_EQ(memory.Length(), 44100);
}

}  // namespace
