#pragma once

#include <cstdint>

// A snapshot of the host's transport. An adapter fills only what its host reports; the other fields
// keep whatever the caller put there.
struct ITransportInfo
{
  double tempo = 0.0;      // beats per minute
  double samplePos = 0.0;  // samples
  double ppqPos = 0.0;     // quarter notes
  double lastBarPos = 0.0; // quarter-note position of the last bar start
  double cycleStart = 0.0; // loop range, quarter notes
  double cycleEnd = 0.0;
  int32_t numerator = 4;
  int32_t denominator = 4;
  bool playing = false;
  bool looping = false;
};
