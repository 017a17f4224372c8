#pragma once
// A growable in-memory byte stream, as hosts give plug-ins for saving and restoring state.

#include "adapters/vst3/api/Stream.h"
#include "adapters/vst3/base/FObject.h"

#include <cstdint>
#include <vector>

namespace quilhost {

class MemoryStream : public vst3::FObject, public vst3::IBStream {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<std::uint8_t> bytes) : mBytes(std::move(bytes)) {}

    vst3::tresult PLUGIN_API read(void* buffer, vst3::int32 numBytes, vst3::int32* numBytesRead) override;
    vst3::tresult PLUGIN_API write(void* buffer, vst3::int32 numBytes, vst3::int32* numBytesWritten) override;
    vst3::tresult PLUGIN_API seek(vst3::int64 pos, vst3::int32 mode, vst3::int64* result) override;
    vst3::tresult PLUGIN_API tell(vst3::int64* pos) override;

    vst3::tresult PLUGIN_API queryInterface(const vst3::TUID iidBytes, void** obj) override;
    QUIL_VST3_REFCOUNT_FROM(vst3::FObject)

    const std::vector<std::uint8_t>& bytes() const { return mBytes; }
    void rewind() { mPosition = 0; }

private:
    std::vector<std::uint8_t> mBytes;
    std::size_t mPosition = 0;
};

} // namespace quilhost
