#include "tools/host/EventList.h"

using namespace vst3;

namespace quilhost {

tresult PLUGIN_API EventList::getEvent(int32 index, Event& e) {
    if (index < 0 || static_cast<std::size_t>(index) >= mEvents.size()) return kInvalidArgument;
    e = mEvents[static_cast<std::size_t>(index)];
    return kResultOk;
}

tresult PLUGIN_API EventList::addEvent(Event& e) {
    mEvents.push_back(e);
    return kResultOk;
}

tresult PLUGIN_API EventList::queryInterface(const TUID iidBytes, void** obj) {
    if (obj && iidBytes && answerInterface<IEventList>(this, iidBytes, obj)) return kResultOk;
    return FObject::queryInterface(iidBytes, obj);
}

} // namespace quilhost
