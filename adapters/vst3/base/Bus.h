#pragma once
// Buses a component announces: audio buses with a speaker arrangement, event buses with a MIDI
// channel count, and the ordered, owning list of one media type and direction.

#include "adapters/vst3/api/Component.h"
#include "adapters/vst3/base/FObject.h"

#include <vector>

namespace vst3 {

class Bus : public FObject {
public:
    Bus(const char* name, BusType busType, uint32 flags);

    bool isActive() const { return mActive; }
    void setActive(bool active) { mActive = active; }
    BusType getBusType() const { return mBusType; }
    const TChar* getName() const { return mName; }

    // Fills the fields the bus knows; the list adds media type and direction.
    virtual void getInfo(BusInfo& info) const;

    QUIL_VST3_CLASS_NAME(Bus, FObject)

private:
    String128 mName{};
    BusType mBusType;
    uint32 mFlags;
    bool mActive = false;
};

class AudioBus : public Bus {
public:
    AudioBus(const char* name, BusType busType, uint32 flags, SpeakerArrangement arrangement);

    SpeakerArrangement getArrangement() const { return mArrangement; }
    void setArrangement(SpeakerArrangement arrangement) { mArrangement = arrangement; }
    int32 getChannelCount() const;
    void getInfo(BusInfo& info) const override;

    QUIL_VST3_CLASS_NAME(AudioBus, Bus)

private:
    SpeakerArrangement mArrangement;
};

class EventBus : public Bus {
public:
    EventBus(const char* name, BusType busType, uint32 flags, int32 channelCount);

    void getInfo(BusInfo& info) const override;

    QUIL_VST3_CLASS_NAME(EventBus, Bus)

private:
    int32 mChannelCount;
};

class BusList {
public:
    BusList(MediaType type, BusDirection direction) : mType(type), mDirection(direction) {}
    BusList(const BusList&) = delete;
    BusList& operator=(const BusList&) = delete;
    ~BusList() { clear(); }

    MediaType getType() const { return mType; }
    BusDirection getDirection() const { return mDirection; }
    int32 size() const { return static_cast<int32>(mBuses.size()); }
    Bus* at(int32 index) const;

    // Takes over the caller's reference.
    Bus* append(Bus* bus);
    // Puts `bus` in place of the bus at `index` (released), keeping the order of the others;
    // appends when `index` is past the end. Takes over the caller's reference.
    Bus* replace(int32 index, Bus* bus);
    void clear();

    // Bus info with media type and direction; false for an index outside the list.
    bool getInfo(int32 index, BusInfo& info) const;

private:
    MediaType mType;
    BusDirection mDirection;
    std::vector<Bus*> mBuses;
};

} // namespace vst3
