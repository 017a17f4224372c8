#include "tools/host/MemoryStream.h"

#include <cstring>

using namespace vst3;

namespace quilhost {

tresult PLUGIN_API MemoryStream::read(void* buffer, int32 numBytes, int32* numBytesRead) {
    if (numBytesRead) *numBytesRead = 0;
    if (numBytes < 0 || (numBytes > 0 && !buffer)) return kInvalidArgument;
    const std::size_t available = mPosition < mBytes.size() ? mBytes.size() - mPosition : 0;
    const std::size_t count = std::min<std::size_t>(available, static_cast<std::size_t>(numBytes));
    if (count) std::memcpy(buffer, mBytes.data() + mPosition, count);
    mPosition += count;
    if (numBytesRead) *numBytesRead = static_cast<int32>(count);
    // Like file-backed host streams: a short read still succeeds, an empty one at the end fails.
    return count == 0 && numBytes > 0 ? kResultFalse : kResultOk;
}

tresult PLUGIN_API MemoryStream::write(void* buffer, int32 numBytes, int32* numBytesWritten) {
    if (numBytesWritten) *numBytesWritten = 0;
    if (numBytes < 0 || (numBytes > 0 && !buffer)) return kInvalidArgument;
    const std::size_t count = static_cast<std::size_t>(numBytes);
    if (mBytes.size() < mPosition + count) mBytes.resize(mPosition + count);
    if (count) std::memcpy(mBytes.data() + mPosition, buffer, count);
    mPosition += count;
    if (numBytesWritten) *numBytesWritten = numBytes;
    return kResultOk;
}

tresult PLUGIN_API MemoryStream::seek(int64 pos, int32 mode, int64* result) {
    int64 base = 0;
    if (mode == kIBSeekCur) base = static_cast<int64>(mPosition);
    else if (mode == kIBSeekEnd) base = static_cast<int64>(mBytes.size());
    else if (mode != kIBSeekSet) return kInvalidArgument;
    const int64 target = base + pos;
    if (target < 0) return kInvalidArgument;
    mPosition = static_cast<std::size_t>(target);
    if (result) *result = target;
    return kResultOk;
}

tresult PLUGIN_API MemoryStream::tell(int64* pos) {
    if (!pos) return kInvalidArgument;
    *pos = static_cast<int64>(mPosition);
    return kResultOk;
}

tresult PLUGIN_API MemoryStream::queryInterface(const TUID iidBytes, void** obj) {
    if (obj && iidBytes && answerInterface<IBStream>(this, iidBytes, obj)) return kResultOk;
    return FObject::queryInterface(iidBytes, obj);
}

} // namespace quilhost
