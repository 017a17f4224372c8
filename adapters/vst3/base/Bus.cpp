#include "adapters/vst3/base/Bus.h"

#include "adapters/vst3/api/Speakers.h"
#include "adapters/vst3/base/Utf16.h"

#include <algorithm>

namespace vst3 {

Bus::Bus(const char* name, BusType busType, uint32 flags)
    : mBusType(busType), mFlags(flags), mActive((flags & BusInfo::kDefaultActive) != 0) {
    copyUtf8ToUtf16(mName, 128, name);
}

void Bus::getInfo(BusInfo& info) const {
    std::copy(std::begin(mName), std::end(mName), info.name);
    info.busType = mBusType;
    info.flags = mFlags;
}

AudioBus::AudioBus(const char* name, BusType busType, uint32 flags, SpeakerArrangement arrangement)
    : Bus(name, busType, flags), mArrangement(arrangement) {}

int32 AudioBus::getChannelCount() const { return SpeakerArr::getChannelCount(mArrangement); }

void AudioBus::getInfo(BusInfo& info) const {
    Bus::getInfo(info);
    info.channelCount = getChannelCount();
}

EventBus::EventBus(const char* name, BusType busType, uint32 flags, int32 channelCount)
    : Bus(name, busType, flags), mChannelCount(channelCount) {}

void EventBus::getInfo(BusInfo& info) const {
    Bus::getInfo(info);
    info.channelCount = mChannelCount;
}

Bus* BusList::at(int32 index) const {
    if (index < 0 || index >= size()) return nullptr;
    return mBuses[static_cast<std::size_t>(index)];
}

Bus* BusList::append(Bus* bus) {
    if (bus) mBuses.push_back(bus);
    return bus;
}

Bus* BusList::replace(int32 index, Bus* bus) {
    if (!bus) return nullptr;
    if (index < 0 || index >= size()) return append(bus);
    Bus*& slot = mBuses[static_cast<std::size_t>(index)];
    slot->release();
    slot = bus;
    return bus;
}

void BusList::clear() {
    for (Bus* bus : mBuses) bus->release();
    mBuses.clear();
}

bool BusList::getInfo(int32 index, BusInfo& info) const {
    const Bus* bus = at(index);
    if (!bus) return false;
    info = BusInfo{};
    info.mediaType = mType;
    info.direction = mDirection;
    bus->getInfo(info);
    return true;
}

} // namespace vst3
