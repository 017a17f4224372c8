#include "tests/effect/AllocationCounter.h"

#include <gtest/gtest.h>

#include <new>

#include "core/TypedBuffer.h"

namespace {

using allocation_counter::Allocations;
using allocation_counter::Releases;

// The zero-allocation tests are only as good as what the counter sees: the framework's growable
// buffers go through the C heap (malloc, realloc, free), everything else through operator new.
// Counts are read between assertions, which allocate themselves.
TEST(AllocationCounter, SeesTheCHeapOfTheFrameworksBuffersAndOperatorNew) {
  const long allocations = Allocations(), releases = Releases();
  long grown = 0, regrown = 0;
  {
    TypedBuffer buffer(16);
    buffer.SetCount<double>(100, false);
    grown = Allocations();
    buffer.SetCount<double>(100000, false);
    regrown = Allocations();
  }
  const long freed = Releases();
  EXPECT_EQ(grown - allocations, 1) << "first growth";
  EXPECT_EQ(regrown - grown, 1) << "growth of an existing block";
  EXPECT_EQ(freed - releases, 1) << "the buffer's block freed";

  const long beforeNew = Allocations(), beforeDelete = Releases();
  ::operator delete(::operator new(24));
  const long afterNew = Allocations(), afterDelete = Releases();
  EXPECT_EQ(afterNew - beforeNew, 1);
  EXPECT_EQ(afterDelete - beforeDelete, 1);
}

// Refused C allocations reach the buffer, which keeps what it had.
TEST(AllocationCounter, FailNextRefusesTheCHeapToo) {
  TypedBuffer buffer(16);
  ASSERT_TRUE(buffer.SetCount<double>(10, false));
  buffer.Get<double>()[9] = 4.5;
  allocation_counter::FailNext(100);
  const bool grown = buffer.SetCount<double>(100000, false);
  allocation_counter::FailNext(0);
  EXPECT_FALSE(grown);
  EXPECT_EQ(buffer.CountOf<double>(), 10);
  EXPECT_EQ(buffer.Get<double>()[9], 4.5);
  EXPECT_TRUE(buffer.SetCount<double>(100000, false));
}

}  // namespace
