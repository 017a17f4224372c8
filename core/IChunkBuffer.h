#pragma once

#include "core/TypedBuffer.h"

#include <cstdint>

// The little-endian byte buffer all state is written into and read from. Writers append at the
// end; readers take an explicit position and return it advanced past what they read, or -1 once a
// read would run past the end (the value read is then 0). A negative position stays -1.
class IChunkBuffer
{
public:
  static constexpr int32_t kHeaderMagic = 0x70666674; // "tffp"
  static constexpr int32_t kHeaderVersion = 0x10000;

  IChunkBuffer() = default;
  IChunkBuffer(const IChunkBuffer&) = delete;
  IChunkBuffer& operator=(const IChunkBuffer&) = delete;

  // Appenders return false (chunk unchanged) when the chunk cannot grow.
  bool PutByte(uint8_t value);
  bool PutInt32(int32_t value);
  bool PutDouble(double value);
  bool PutBytes(const void* data, int count);
  // The 4-byte length, then the text's bytes without its terminator.
  bool PutString(const char* text);

  int GetByte(int pos, uint8_t* value) const;
  int GetInt32(int pos, int32_t* value) const;
  int GetDouble(int pos, double* value) const;
  // Copies count bytes; -1 (nothing copied) when they do not all lie inside the chunk.
  int GetBytes(int pos, void* data, int count) const;

  // Sets the size, giving memory back when it shrinks, and zero-fills the bytes added. Returns the
  // previous size; a size that cannot be had leaves the chunk as it was.
  int GrowZeroed(int newSize);
  void Clear() { mBytes.SetSize(0, false); }

  // Empties the chunk and writes the chunk header.
  bool PutHeader();
  // Reads the header at *pos: returns its version and advances *pos past it. Without the magic
  // value it returns 0 and leaves *pos; with the magic but no version it sets *pos to -1.
  int ReadHeader(int* pos) const;

  const uint8_t* Bytes() const { return mBytes.Get<uint8_t>(); }
  uint8_t* Bytes() { return mBytes.Get<uint8_t>(); }
  int Size() const { return mBytes.Size(); }

private:
  // The position where width bytes at pos start, or null when they do not lie inside the chunk.
  const uint8_t* At(int pos, int width) const;
  uint8_t* Extend(int count);
  bool PutLittleEndian(uint64_t bits, int width);
  uint64_t GetLittleEndian(int pos, int width, int* newPos) const;

  TypedBuffer mBytes{4096};
};
