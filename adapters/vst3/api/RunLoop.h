#pragma once
// The host's event loop on Linux, which a plug-in's editor uses instead of a thread of its own:
// the host calls an event handler when a file descriptor becomes readable and a timer handler at
// the interval it was registered with. A Linux host offers it through its IPlugFrame.

#include "adapters/vst3/api/FUnknown.h"

namespace vst3 {
namespace Linux {

using FileDescriptor = int;
using TimerInterval = uint64;  // milliseconds

static_assert(sizeof(FileDescriptor) == 4 && sizeof(TimerInterval) == 8, "run loop scalar sizes");

class IEventHandler : public FUnknown {
public:
    virtual void PLUGIN_API onFDIsSet(FileDescriptor fd) = 0;
    static constexpr Uid iid = Uid::fromWords(0x561E65C9, 0x13A0496F, 0x813A2C35, 0x654D7983);
};

class ITimerHandler : public FUnknown {
public:
    virtual void PLUGIN_API onTimer() = 0;
    static constexpr Uid iid = Uid::fromWords(0x10BDD94F, 0x41424774, 0x821FAD8F, 0xECA72CA9);
};

class IRunLoop : public FUnknown {
public:
    virtual tresult PLUGIN_API registerEventHandler(IEventHandler* handler, FileDescriptor fd) = 0;
    virtual tresult PLUGIN_API unregisterEventHandler(IEventHandler* handler) = 0;
    virtual tresult PLUGIN_API registerTimer(ITimerHandler* handler, TimerInterval milliseconds) = 0;
    virtual tresult PLUGIN_API unregisterTimer(ITimerHandler* handler) = 0;
    static constexpr Uid iid = Uid::fromWords(0x18C35366, 0x97764F1A, 0x9C5B8385, 0x7A871389);
};

} // namespace Linux
} // namespace vst3
