// Feeds arbitrary bytes as a host's state stream to the delay plug-in on the VST3 adapter, through
// the controller's and the component's restore calls, then saves its state and restores that
// into a fresh plug-in: nothing may read outside the host's bytes, and what we save must always
// restore to the same parameter values and bypass state.
#include "adapters/vst3/IEffectVST3.h"
#include "effect/FenwoxQuil.h"
#include "tools/host/MemoryStream.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace vst3;

namespace {

// Building the plug-in (its delay memory and editor) costs far more than a restore, so the two
// instances live for the whole run; each input starts from the state a fresh plug-in has.
class Plugin {
public:
    Plugin() : mQuil(new FenwoxQuil(nullptr)) {
        if (mQuil->initialize(nullptr) != kResultOk) abort();
        mFreshState = SavedState();
    }
    ~Plugin() {
        mQuil->terminate();
        mQuil->release();
    }
    FenwoxQuil* operator->() const { return mQuil; }
    FenwoxQuil* get() const { return mQuil; }

    std::vector<std::uint8_t> SavedState() const {
        quilhost::MemoryStream stream;
        if (mQuil->getState(&stream) != kResultOk) abort();
        return stream.bytes();
    }
    void Restore(const std::vector<std::uint8_t>& bytes) const {
        quilhost::MemoryStream stream(bytes);
        if (mQuil->setState(&stream) != kResultOk) abort();
    }
    void Reset() const { Restore(mFreshState); }

private:
    FenwoxQuil* mQuil;
    std::vector<std::uint8_t> mFreshState;
};

Plugin& Target() {
    static Plugin plugin;
    plugin.Reset();
    return plugin;
}

void CheckSavedStateRestores(const Plugin& plugin) {
    // What we save is whole, so it overwrites all of the copy's earlier state.
    static Plugin copy;
    const std::vector<std::uint8_t> saved = plugin.SavedState();
    copy.Restore(saved);
    for (int i = 0; i < plugin->ParamCount(); ++i) {
        const double expected = plugin->Param(i)->Value();
        const double restored = copy->Param(i)->Value();
        if (std::memcmp(&expected, &restored, sizeof expected) != 0) abort();
    }
    if (copy->IsBypassed() != plugin->IsBypassed()) abort();
    if (copy->getParamNormalized(IEffectVST3::kBypassParamId) != plugin->getParamNormalized(IEffectVST3::kBypassParamId))
        abort();
    if (copy.SavedState() != saved) abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Plugin& plugin = Target();
    // One object is component and controller: the controller's component-state call comes first,
    // as hosts make it, then the restore both interfaces share.
    quilhost::MemoryStream stream(std::vector<std::uint8_t>(data, data + size));
    static_cast<IEditController*>(plugin.get())->setComponentState(&stream);
    stream.rewind();
    static_cast<IComponent*>(plugin.get())->setState(&stream);
    CheckSavedStateRestores(plugin);
    return 0;
}
