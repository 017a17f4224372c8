#pragma once

#include "core/TextBuffer.h"
#include "core/TypedBuffer.h"

#include <cstdint>

// One legal channel configuration.
struct IChannelIOPair
{
  int32_t inputs;
  int32_t outputs;
};

// An input channel record. slot is this channel's entry in the plug-in's input pointer array: it
// points at a host buffer while the channel is connected and at scratch otherwise.
struct IInputChannel
{
  bool connected = false;
  double** slot = nullptr;
  TypedBuffer scratch{4096}; // doubles
  TextBuffer label{128};
};

// An output channel record. floatTarget is the host's single-precision buffer the double result in
// scratch is converted into, or null.
struct IOutputChannel
{
  bool connected = false;
  double** slot = nullptr;
  float* floatTarget = nullptr;
  TypedBuffer scratch{4096}; // doubles
  TextBuffer label{128};
};
