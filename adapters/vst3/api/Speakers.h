#pragma once
// Speaker bits and the standard arrangements of one to six channels.

#include "adapters/vst3/api/Types.h"

namespace vst3 {
namespace SpeakerArr {

constexpr SpeakerArrangement kEmpty = 0;
constexpr SpeakerArrangement kMono = 0x80000;  // the M speaker, not L
constexpr SpeakerArrangement kStereo = 0x3;
constexpr SpeakerArrangement k30Music = 0x103;
constexpr SpeakerArrangement kAmbi1stOrderACN = 0xF00000;
constexpr SpeakerArrangement k50 = 0x37;
constexpr SpeakerArrangement k51 = 0x3F;

// A bus carries one channel per set speaker bit.
constexpr int32 getChannelCount(SpeakerArrangement arrangement) {
    int32 count = 0;
    for (; arrangement; arrangement &= arrangement - 1) ++count;
    return count;
}

} // namespace SpeakerArr
} // namespace vst3
