// The chunk path of the delay plug-in's VST2 adapter on arbitrary host bytes: effSetChunk as a
// program and as a bank, then each kind written with effGetChunk must read back to the same bytes.
#include "adapters/vst2/IEffectVST.h"
#include "effect/FenwoxQuil.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace vst2;

namespace {

VstIntPtr QUIL_VST2_CALL noHost(AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float) { return 0; }

std::vector<std::uint8_t> getChunk(AEffect* effect, int index) {
    void* data = nullptr;
    const VstIntPtr size = effect->dispatcher(effect, effGetChunk, index, 0, &data, 0.0f);
    if (size <= 0 || !data) return {};
    return std::vector<std::uint8_t>(static_cast<std::uint8_t*>(data), static_cast<std::uint8_t*>(data) + size);
}

void roundTrip(AEffect* effect, int index) {
    std::vector<std::uint8_t> written = getChunk(effect, index);
    if (written.empty()) std::abort();
    if (effect->dispatcher(effect, effSetChunk, index, static_cast<VstIntPtr>(written.size()), written.data(), 0.0f) != 1)
        std::abort();
    if (getChunk(effect, index) != written) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FenwoxQuil* plugin = [] {
        auto* created = new FenwoxQuil(noHost);
        created->FinishCreation();
        return created;
    }();
    AEffect* effect = plugin->Effect();
    std::vector<std::uint8_t> bytes(data, data + size);
    for (int index : {1, 0}) {
        effect->dispatcher(effect, effSetChunk, index, static_cast<VstIntPtr>(bytes.size()), bytes.data(), 0.0f);
        roundTrip(effect, index);
    }
    return 0;
}
