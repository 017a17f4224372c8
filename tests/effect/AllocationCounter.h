#pragma once

// This test program replaces the global allocator: every operator new is counted, and a test can
// make the next ones fail to see how code copes with a refused allocation.
namespace allocation_counter {

long Allocations();
// The next `count` allocations fail (the throwing forms throw std::bad_alloc, the nothrow forms
// return null).
void FailNext(int count = 1);

}  // namespace allocation_counter
