#include "core/ProgramChunks.h"

#include "core/IEffectBase.h"

#include <cstring>

namespace {

// Hosts often hand back the very buffer a chunk was written to (or a part of it): such bytes are
// moved to the front before the chunk is resized, since resizing may move the storage.
bool CopyIntoChunk(IChunkBuffer* chunk, const uint8_t* bytes, int count)
{
  uint8_t* own = chunk->Bytes();
  if (own && bytes >= own && bytes < own + chunk->Size()) {
    if (count > chunk->Size() - static_cast<int>(bytes - own)) return false;
    std::memmove(own, bytes, static_cast<size_t>(count));
    chunk->GrowZeroed(count);
    return true;
  }
  chunk->GrowZeroed(count);
  if (chunk->Size() != count) return false;
  if (count > 0) std::memcpy(chunk->Bytes(), bytes, static_cast<size_t>(count));
  return true;
}

bool ReadChunk(IEffectBase* plugin, IChunkBuffer* chunk, const void* bytes, int count, bool bank)
{
  if (!plugin || !chunk || count < 0 || (!bytes && count > 0)) return false;
  if (!CopyIntoChunk(chunk, static_cast<const uint8_t*>(bytes), count)) return false;

  int pos = 0;
  const int version = chunk->ReadHeader(&pos);
  if (!bank || version < IChunkBuffer::kHeaderVersion) {
    pos = plugin->RestoreState(chunk, pos);
    plugin->ModifyCurrentPreset(nullptr);
  } else {
    pos = plugin->UnserializePresets(chunk, pos);
  }
  if (pos < 0) return false;
  plugin->PushParamsToEditor();
  return true;
}

} // namespace

bool WriteProgramChunk(IEffectBase* plugin, IChunkBuffer* chunk)
{
  return chunk->PutHeader() && plugin->StoreState(chunk);
}

bool WriteBankChunk(IEffectBase* plugin, IChunkBuffer* chunk)
{
  if (!chunk->PutHeader()) return false;
  plugin->ModifyCurrentPreset(nullptr);
  return plugin->SerializePresets(chunk);
}

bool ReadProgramChunk(IEffectBase* plugin, IChunkBuffer* chunk, const void* bytes, int count)
{
  return ReadChunk(plugin, chunk, bytes, count, false);
}

bool ReadBankChunk(IEffectBase* plugin, IChunkBuffer* chunk, const void* bytes, int count)
{
  return ReadChunk(plugin, chunk, bytes, count, true);
}
