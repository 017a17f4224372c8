// The delay plug-in's AAX chunk reader on arbitrary host bytes: the first four bytes are the
// chunk's version, the rest its data. Restoring and comparing must never read or write outside the
// chunk, whatever it claims.
#include "effect/FenwoxQuil.h"
#include "tools/aaxhost/HostRuntime.h"

#include <cstring>
#include <vector>

using namespace aax;

namespace {

struct Instance {
    aaxhost::HostAutomation automation;
    aaxhost::HostController controller{automation, 44100.0f, AAX_eStemFormat_Stereo, AAX_eStemFormat_Stereo};
    FenwoxQuil* plugin = new FenwoxQuil();

    Instance() {
        plugin->HostInterface()->AddRef();
        plugin->Initialize(&controller);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Instance instance;
    if (size < 4) return 0;
    const std::size_t dataSize = size - 4;
    std::vector<uint8_t> record(kChunkDataOffset + dataSize);
    auto* chunk = reinterpret_cast<AAX_SPlugInChunk*>(record.data());
    std::memcpy(&chunk->fVersion, data, 4);
    chunk->fSize = static_cast<int32_t>(dataSize);
    chunk->fChunkID = static_cast<uint32_t>(instance.plugin->UniqueId());
    std::memcpy(chunk->fData, data + 4, dataSize);

    instance.plugin->SetChunk(chunk->fChunkID, chunk);
    uint8_t equal = 0;
    instance.plugin->CompareActiveChunk(chunk, &equal);
    instance.automation.takeCalls();
    instance.automation.takePendingValues();
    return 0;
}
