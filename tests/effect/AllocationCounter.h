#pragma once

// This test program replaces the global allocator and, where the linker wraps them (see
// quil_count_allocations), the C allocator: every operator new, malloc, calloc and realloc is
// counted as an allocation and every operator delete and free of a block as a release, and a test
// can make the next allocations fail to see how code copes with a refused allocation.
namespace allocation_counter {

long Allocations();
long Releases();
// The next `count` allocations fail (the throwing forms of new throw std::bad_alloc, the others
// return null).
void FailNext(int count = 1);

}  // namespace allocation_counter
