#pragma once

#include "core/TypedBuffer.h"

#include <cstdint>

// Keeps bypassed audio in time with processed audio: one ring of length samples per input channel,
// channel after channel.
struct ILatencyDelay
{
  ILatencyDelay(int inputCount, int outputCount) : inputs(inputCount), outputs(outputCount) {}

  // Resizes every ring to samples and silences it. False (nothing changed) when the size is negative,
  // does not fit the buffer or cannot be allocated.
  bool SetLength(int samples);

  TypedBuffer buffer{4096}; // doubles
  int32_t writePos = 0;
  int32_t inputs;
  int32_t outputs;
  int32_t length = 0;
};
