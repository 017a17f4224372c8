// Feeds arbitrary bytes as a host's state stream to the delay plug-in on the VST3 adapter, through
// both the component's and the controller's restore calls, then saves its state and restores that
// into a fresh plug-in: nothing may read outside the host's bytes, and what we save must always
// restore to the same parameter values and bypass state.
#include "adapters/vst3/IEffectVST3.h"
#include "effect/FenwoxQuil.h"
#include "tools/vst3host/MemoryStream.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace vst3;

namespace {

// Releases the plug-in's one reference when the input is done.
struct Plugin {
    Plugin() : quil(new FenwoxQuil(nullptr)) {
        if (quil->initialize(nullptr) != kResultOk) abort();
    }
    ~Plugin() {
        quil->terminate();
        quil->release();
    }
    FenwoxQuil* quil;
};

std::vector<std::uint8_t> SavedState(IEffectVST3* plugin) {
    vst3host::MemoryStream stream;
    if (plugin->getState(&stream) != kResultOk) abort();
    return stream.bytes();
}

void CheckSavedStateRestores(FenwoxQuil* plugin) {
    const std::vector<std::uint8_t> saved = SavedState(plugin);
    Plugin copy;
    vst3host::MemoryStream stream(saved);
    if (copy.quil->setState(&stream) != kResultOk) abort();
    for (int i = 0; i < plugin->ParamCount(); ++i) {
        const double expected = plugin->Param(i)->Value();
        const double restored = copy.quil->Param(i)->Value();
        if (std::memcmp(&expected, &restored, sizeof expected) != 0) abort();
    }
    if (copy.quil->IsBypassed() != plugin->IsBypassed()) abort();
    if (copy.quil->getParamNormalized(IEffectVST3::kBypassParamId) !=
        plugin->getParamNormalized(IEffectVST3::kBypassParamId))
        abort();
    if (SavedState(copy.quil) != saved) abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);

    Plugin asComponent;
    vst3host::MemoryStream componentStream(bytes);
    static_cast<IComponent*>(asComponent.quil)->setState(&componentStream);
    CheckSavedStateRestores(asComponent.quil);

    Plugin asController;
    vst3host::MemoryStream controllerStream(bytes);
    static_cast<IEditController*>(asController.quil)->setComponentState(&controllerStream);
    controllerStream.rewind();
    static_cast<IEditController*>(asController.quil)->setState(&controllerStream);
    CheckSavedStateRestores(asController.quil);
    return 0;
}
