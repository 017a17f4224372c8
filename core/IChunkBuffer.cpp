#include "core/IChunkBuffer.h"

#include <cstring>

uint8_t* IChunkBuffer::Extend(int count)
{
  const int oldSize = mBytes.Size();
  const int64_t newSize = int64_t{oldSize} + count;
  if (count < 0 || newSize > INT32_MAX) return nullptr;
  mBytes.SetSize(static_cast<int>(newSize), false);
  if (mBytes.Size() != newSize) return nullptr;
  return mBytes.Get<uint8_t>() + oldSize;
}

const uint8_t* IChunkBuffer::At(int pos, int width) const
{
  // 64-bit so that a position near the 32-bit limit cannot wrap around into the chunk.
  if (pos < 0 || int64_t{pos} + width > mBytes.Size()) return nullptr;
  return mBytes.Get<uint8_t>() + pos;
}

bool IChunkBuffer::PutByte(uint8_t value)
{
  return PutBytes(&value, 1);
}

bool IChunkBuffer::PutLittleEndian(uint64_t bits, int width)
{
  uint8_t bytes[8];
  for (int i = 0; i < width; ++i) bytes[i] = static_cast<uint8_t>(bits >> (8 * i));
  return PutBytes(bytes, width);
}

bool IChunkBuffer::PutInt32(int32_t value)
{
  return PutLittleEndian(static_cast<uint32_t>(value), 4);
}

bool IChunkBuffer::PutDouble(double value)
{
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return PutLittleEndian(bits, 8);
}

bool IChunkBuffer::PutBytes(const void* data, int count)
{
  if (count == 0) return true;
  if (!data) return false;
  uint8_t* at = Extend(count);
  if (!at) return false;
  std::memcpy(at, data, static_cast<size_t>(count));
  return true;
}

bool IChunkBuffer::PutString(const char* text)
{
  const size_t length = text ? std::strlen(text) : 0;
  if (length > static_cast<size_t>(INT32_MAX - 4)) return false;
  const int oldSize = Size();
  if (PutInt32(static_cast<int32_t>(length)) && PutBytes(text, static_cast<int>(length))) return true;
  mBytes.SetSize(oldSize, false);
  return false;
}

int IChunkBuffer::GetByte(int pos, uint8_t* value) const
{
  const uint8_t* at = At(pos, 1);
  *value = at ? at[0] : 0;
  return at ? pos + 1 : -1;
}

uint64_t IChunkBuffer::GetLittleEndian(int pos, int width, int* newPos) const
{
  const uint8_t* at = At(pos, width);
  uint64_t bits = 0;
  for (int i = 0; at && i < width; ++i) bits |= static_cast<uint64_t>(at[i]) << (8 * i);
  *newPos = at ? pos + width : -1;
  return bits;
}

int IChunkBuffer::GetInt32(int pos, int32_t* value) const
{
  *value = static_cast<int32_t>(static_cast<uint32_t>(GetLittleEndian(pos, 4, &pos)));
  return pos;
}

int IChunkBuffer::GetDouble(int pos, double* value) const
{
  const uint64_t bits = GetLittleEndian(pos, 8, &pos);
  std::memcpy(value, &bits, sizeof bits);
  return pos;
}

int IChunkBuffer::GetBytes(int pos, void* data, int count) const
{
  const uint8_t* at = count >= 0 ? At(pos, count) : nullptr;
  if (!at) return -1;
  if (count > 0) std::memcpy(data, at, static_cast<size_t>(count));
  return pos + count;
}

int IChunkBuffer::GrowZeroed(int newSize)
{
  const int oldSize = mBytes.Size();
  mBytes.SetSize(newSize, true);
  if (mBytes.Size() > oldSize) {
    std::memset(mBytes.Get<uint8_t>() + oldSize, 0, static_cast<size_t>(mBytes.Size() - oldSize));
  }
  return oldSize;
}

bool IChunkBuffer::PutHeader()
{
  Clear();
  return PutInt32(kHeaderMagic) && PutInt32(kHeaderVersion);
}

int IChunkBuffer::ReadHeader(int* pos) const
{
  int32_t magic;
  const int afterMagic = GetInt32(*pos, &magic);
  if (afterMagic < 0 || magic != kHeaderMagic) return 0;
  int32_t version;
  *pos = GetInt32(afterMagic, &version);
  return *pos < 0 ? 0 : version;
}
