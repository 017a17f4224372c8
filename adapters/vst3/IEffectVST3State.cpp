// The state stream of the VST3 adapter: the plug-in's state chunk, then the bypass flag.
#include "adapters/vst3/IEffectVST3.h"

#include <cstring>

using namespace vst3;

// The host's stream is read and written without the instance lock: a host stream may be slow (a
// file, a network share), and the audio thread must never wait for it. The lock covers only taking
// the state and applying it, so a block is never processed with a half-restored state.

tresult PLUGIN_API IEffectVST3::getState(IBStream* state) {
    if (!state) return kInvalidArgument;
    IChunkBuffer chunk;
    int32 bypassed = 0;
    {
        PlugMutexLock lock(mMutex);
        if (!StoreState(&chunk)) return kResultFalse;
        bypassed = IsBypassed() ? 1 : 0;
    }
    state->write(chunk.Bytes(), chunk.Size(), nullptr);
    // The stream holds the flag little-endian, as these targets store an int32.
    state->write(&bypassed, sizeof bypassed, nullptr);
    return kResultOk;
}

tresult PLUGIN_API IEffectVST3::setState(IBStream* state) {
    if (!state) return kInvalidArgument;
    // The stream carries no length: the chunk is as long as the plug-in's own state is now.
    IChunkBuffer chunk;
    {
        PlugMutexLock lock(mMutex);
        StoreState(&chunk);
    }
    const int length = chunk.Size();
    if (length == 0) return kResultFalse;
    // A short stream overwrites only the bytes it has; the rest keep the current state.
    int32 read = 0;
    state->read(chunk.Bytes(), length, &read);
    int32 bypassed = 0;
    read = 0;
    const bool hasBypass = state->read(&bypassed, sizeof bypassed, &read) == kResultOk && read == sizeof bypassed;

    PlugMutexLock lock(mMutex);
    RestoreState(&chunk, 0);
    if (hasBypass) {
        mBypassed = bypassed != 0;
        // The controller's bypass shows what the state brought.
        setParamNormalized(kBypassParamId, mBypassed ? 1.0 : 0.0);
    }
    // The parameters are restored either way, so the editor shows them either way.
    PushParamsToEditor();
    return hasBypass ? kResultOk : kResultFalse;
}
