// The state stream of the VST3 adapter: the plug-in's state chunk, then the bypass flag.
#include "adapters/vst3/IEffectVST3.h"

#include <cstring>

using namespace vst3;

tresult PLUGIN_API IEffectVST3::getState(IBStream* state) {
    if (!state) return kInvalidArgument;
    PlugMutexLock lock(mMutex);
    IChunkBuffer chunk;
    if (!StoreState(&chunk)) return kResultFalse;
    state->write(chunk.Bytes(), chunk.Size(), nullptr);
    // The stream holds the flag little-endian, as these targets store an int32.
    int32 bypassed = IsBypassed() ? 1 : 0;
    state->write(&bypassed, sizeof bypassed, nullptr);
    return kResultOk;
}

tresult PLUGIN_API IEffectVST3::setState(IBStream* state) {
    if (!state) return kInvalidArgument;
    PlugMutexLock lock(mMutex);
    // The stream carries no length: the chunk is as long as the plug-in's own state is now.
    IChunkBuffer chunk;
    StoreState(&chunk);
    const int length = chunk.Size();
    if (length == 0) return kResultFalse;
    // A short stream overwrites only the bytes it has; the rest keep the current state.
    int32 read = 0;
    state->read(chunk.Bytes(), length, &read);
    RestoreState(&chunk, 0);
    int32 bypassed = 0;
    read = 0;
    if (state->read(&bypassed, sizeof bypassed, &read) != kResultOk || read != sizeof bypassed) return kResultFalse;
    mBypassed = bypassed != 0;
    // The controller's bypass shows what the state brought.
    setParamNormalized(kBypassParamId, mBypassed ? 1.0 : 0.0);
    PushParamsToEditor();
    return kResultOk;
}
