#pragma once

#include "core/IChunkBuffer.h"

// A named stored parameter state.
struct IPresetSlot
{
  bool initialised = false;
  char presetName[256] = "empty";
  IChunkBuffer state;
};
