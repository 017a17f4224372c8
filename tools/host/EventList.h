#pragma once
// The input events a host passes with one block.

#include "adapters/vst3/api/Events.h"
#include "adapters/vst3/base/FObject.h"

#include <vector>

namespace quilhost {

class EventList : public vst3::FObject, public vst3::IEventList {
public:
    vst3::int32 PLUGIN_API getEventCount() override { return static_cast<vst3::int32>(mEvents.size()); }
    vst3::tresult PLUGIN_API getEvent(vst3::int32 index, vst3::Event& e) override;
    vst3::tresult PLUGIN_API addEvent(vst3::Event& e) override;

    vst3::tresult PLUGIN_API queryInterface(const vst3::TUID iidBytes, void** obj) override;
    QUIL_VST3_REFCOUNT_FROM(vst3::FObject)

    void clear() { mEvents.clear(); }

private:
    std::vector<vst3::Event> mEvents;
};

} // namespace quilhost
