#pragma once

#include "core/IChunkBuffer.h"

class IEffectBase;

// The VST2 program and bank chunks: the chunk header, then a parameter state (program) or every
// preset slot (bank). The caller holds the plug-in's mutex, as the VST2 dispatcher does.

// Empty chunk, then write. False when the state could not be written.
bool WriteProgramChunk(IEffectBase* plugin, IChunkBuffer* chunk);
// Saves the current parameters into the current preset first, then writes every slot.
bool WriteBankChunk(IEffectBase* plugin, IChunkBuffer* chunk);

// Copy a host's count bytes into chunk and apply them. A program chunk, or a bank whose header is
// missing or older than 0x10000, is read as one parameter state that then also goes into the current
// preset. True when everything was read; the editor is then brought up to date. A negative count or
// null bytes change nothing and give false.
bool ReadProgramChunk(IEffectBase* plugin, IChunkBuffer* chunk, const void* bytes, int count);
bool ReadBankChunk(IEffectBase* plugin, IChunkBuffer* chunk, const void* bytes, int count);
