#pragma once
// Byte stream through which hosts hand state to and from a plug-in.

#include "adapters/vst3/api/FUnknown.h"

namespace vst3 {

class IBStream : public FUnknown {
public:
    enum : int32 { kIBSeekSet = 0, kIBSeekCur = 1, kIBSeekEnd = 2 };
    virtual tresult PLUGIN_API read(void* buffer, int32 numBytes, int32* numBytesRead) = 0;
    virtual tresult PLUGIN_API write(void* buffer, int32 numBytes, int32* numBytesWritten) = 0;
    virtual tresult PLUGIN_API seek(int64 pos, int32 mode, int64* result) = 0;
    virtual tresult PLUGIN_API tell(int64* pos) = 0;
    static constexpr Uid iid = Uid::fromWords(0xC3BF6EA2, 0x30994752, 0x9B6BF990, 0x1EE33E9B);
};

} // namespace vst3
