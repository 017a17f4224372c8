#pragma once

#include <cstdint>

struct IMidiMessage
{
  int32_t offset = 0; // frames from the start of the block
  uint8_t status = 0;
  uint8_t data1 = 0;
  uint8_t data2 = 0;
};

struct ISysExMessage
{
  int32_t offset = 0;
  int32_t size = 0;
  const uint8_t* data = nullptr;
};
