// The chunk path of the VST2 adapter on arbitrary host bytes: effSetChunk as a program and as a
// bank, then each kind written with effGetChunk must read back to the same bytes. The plug-in has
// the delay's kinds of parameters and three programs, but no signal processing to reconfigure, so
// the readers see many inputs a second.
#include "adapters/vst2/IEffectVST.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace vst2;

namespace {

class ChunkEffect : public IEffectVST {
public:
    ChunkEffect()
        : IEffectVST(noHost, 4, "1-1 2-2", 3, "Chunks", "", "Fenwox", 0x10003, 0x43686B73, 0x466E7778, 0, true, false,
                     false) {
        IEffectParam* range = Param(0);
        range->DefineChoice("Range", 0, 4);
        range->AddValueText(3, "hold");
        Param(1)->DefineRange("Time", 1.0, 1.0, 100.0, 1.0, "%");
        Param(2)->DefineToggle("Switch", true);
        Param(3)->DefineRange("Fine", 0.5, -1.0, 1.0, 0.001);
        MakeDefaultPresets("-", 1);
        FinishCreation();
    }

private:
    static VstIntPtr QUIL_VST2_CALL noHost(AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float) { return 0; }
};

std::vector<std::uint8_t> getChunk(AEffect* effect, int index) {
    void* data = nullptr;
    const VstIntPtr size = effect->dispatcher(effect, effGetChunk, index, 0, &data, 0.0f);
    if (size <= 0 || !data) return {};
    return std::vector<std::uint8_t>(static_cast<std::uint8_t*>(data), static_cast<std::uint8_t*>(data) + size);
}

// What the plug-in wrote, read back; false when it refuses its own chunk.
bool readBack(AEffect* effect, int index, std::vector<std::uint8_t>& chunk) {
    chunk = getChunk(effect, index);
    return !chunk.empty() &&
           effect->dispatcher(effect, effSetChunk, index, static_cast<VstIntPtr>(chunk.size()), chunk.data(), 0.0f) == 1;
}

// A slot stored without a name takes the name of the slot before it when a bank is read, so the
// first pass may still change names; from then on a written chunk reads back to itself.
void roundTrip(AEffect* effect, int index) {
    std::vector<std::uint8_t> first, second;
    if (!readBack(effect, index, first) || !readBack(effect, index, second)) std::abort();
    if (getChunk(effect, index) != second) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ChunkEffect* plugin = new ChunkEffect;
    AEffect* effect = plugin->Effect();
    // A copy the size of the host's data exactly, so that reading past it is caught.
    std::vector<std::uint8_t> bytes(data, data + size);
    for (int index : {1, 0}) {
        effect->dispatcher(effect, effSetChunk, index, static_cast<VstIntPtr>(bytes.size()), bytes.data(), 0.0f);
        roundTrip(effect, index);
    }
    return 0;
}
