#include "core/ILatencyDelay.h"

#include <cstring>

bool ILatencyDelay::SetLength(int samples)
{
  if (samples < 0) return false;
  const int64_t count = int64_t{samples} * (inputs > 0 ? inputs : 0);
  if (count > INT32_MAX || !buffer.SetCount<double>(static_cast<int>(count), true)) return false;
  if (count > 0) std::memset(buffer.Bytes(), 0, static_cast<size_t>(buffer.Size()));
  length = samples;
  writePos = 0;
  return true;
}
