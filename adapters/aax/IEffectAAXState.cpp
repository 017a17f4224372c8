// The state chunk of the AAX adapter: one chunk, identified by the plug-in's code, holding the
// bytes StoreState writes. Chunks from the host are untrusted: their size and version are checked
// before anything is applied, and a chunk that cannot be read changes nothing.
#include "adapters/aax/IEffectAAX.h"

#include <cstring>
#include <vector>

using namespace aax;

int32_t IEffectAAX::ChunkIdByIndex(int32_t index, uint32_t* id) const {
    if (index != 0) {
        *id = 0;
        return AAX_ERROR_INVALID_CHUNK_INDEX;
    }
    *id = static_cast<uint32_t>(UniqueId());
    return AAX_SUCCESS;
}

int32_t IEffectAAX::ChunkByteSize(uint32_t id, uint32_t* size) {
    *size = 0;
    if (id != static_cast<uint32_t>(UniqueId())) return AAX_ERROR_INVALID_CHUNK_ID;
    IChunkBuffer state;
    if (!StoreState(&state)) return AAX_ERROR_INVALID_CHUNK_ID;
    *size = static_cast<uint32_t>(state.Size());
    return AAX_SUCCESS;
}

int32_t IEffectAAX::FillChunk(uint32_t id, AAX_SPlugInChunk* chunk, int32_t capacity) {
    if (id != static_cast<uint32_t>(UniqueId())) return AAX_ERROR_INVALID_CHUNK_ID;
    IChunkBuffer state;
    if (!StoreState(&state)) return AAX_ERROR_INVALID_CHUNK_ID;
    // The host allocated what the size query reported; a state that changed size in between
    // would not fit.
    if (state.Size() != capacity) return AAX_ERROR_INCORRECT_CHUNK_SIZE;
    chunk->fSize = state.Size();
    chunk->fVersion = kChunkVersion;
    std::memcpy(chunk->fData, state.Bytes(), static_cast<std::size_t>(state.Size()));
    return AAX_SUCCESS;
}

int32_t IEffectAAX::ApplyChunk(uint32_t id, const AAX_SPlugInChunk* chunk) {
    if (id != static_cast<uint32_t>(UniqueId())) return AAX_ERROR_INVALID_CHUNK_ID;
    // A chunk of a later format, one too short to hold every value or one claiming an absurd size
    // is refused whole: restoring part of it would lose the values it cannot give.
    if (chunk->fVersion > kChunkVersion || chunk->fSize < StateBytes() || chunk->fSize > kMaxChunkSize)
        return AAX_ERROR_INVALID_ARGUMENT;
    IChunkBuffer state;
    if (!state.PutBytes(chunk->fData, chunk->fSize)) return AAX_ERROR_INVALID_ARGUMENT;
    RestoreState(&state, 0);
    // The host's copies follow the restored state.
    for (int i = 0; i < IEffectBase::ParamCount(); ++i) SetParameterNormalizedValue(ParamId(i), Param(i)->ToNormalized());
    PushParamsToEditor();
    CountChange();
    return AAX_SUCCESS;
}

int32_t IEffectAAX::ChunkEqualsState(const AAX_SPlugInChunk* chunk, bool* equal) {
    *equal = true;
    if (chunk->fChunkID != static_cast<uint32_t>(UniqueId())) return AAX_SUCCESS;
    // A chunk that cannot hold the whole state is not this state.
    if (chunk->fSize < StateBytes()) {
        *equal = false;
        return AAX_SUCCESS;
    }
    IChunkBuffer state;
    if (!state.PutBytes(chunk->fData, StateBytes())) return AAX_ERROR_INVALID_ARGUMENT;
    std::vector<double> stored(static_cast<std::size_t>(IEffectBase::ParamCount()));
    int pos = 0;
    for (double& value : stored) pos = state.GetDouble(pos, &value);
    *equal = StateEquals(stored.data(), 0);
    return AAX_SUCCESS;
}
