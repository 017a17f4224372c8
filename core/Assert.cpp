#include "core/Assert.h"

#include <cstdio>
#include <cstdlib>

void QuilAssertFailed(const char* text, const char* file, int line)
{
  std::fprintf(stderr, "Assertion failed: %s (%s:%d)\n", text, file, line);
  std::fflush(stderr);
  std::abort();
}
