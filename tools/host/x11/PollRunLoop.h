#pragma once
// The host's run loop on Linux, as editors of VST3 plug-ins need it: event handlers called when
// their file descriptor becomes readable and timers called at their interval, all on the thread
// that runs the loop. Handlers may (un)register themselves or others from inside a call.

#include "adapters/vst3/api/RunLoop.h"
#include "adapters/vst3/base/FObject.h"

#include <chrono>
#include <cstdint>
#include <vector>

namespace quilhost {

class PollRunLoop : public vst3::FObject, public vst3::Linux::IRunLoop {
public:
    PollRunLoop() = default;
    ~PollRunLoop() override;

    vst3::tresult PLUGIN_API registerEventHandler(vst3::Linux::IEventHandler* handler,
                                                  vst3::Linux::FileDescriptor fd) override;
    vst3::tresult PLUGIN_API unregisterEventHandler(vst3::Linux::IEventHandler* handler) override;
    vst3::tresult PLUGIN_API registerTimer(vst3::Linux::ITimerHandler* handler,
                                           vst3::Linux::TimerInterval milliseconds) override;
    vst3::tresult PLUGIN_API unregisterTimer(vst3::Linux::ITimerHandler* handler) override;

    vst3::tresult PLUGIN_API queryInterface(const vst3::TUID iidBytes, void** obj) override;
    QUIL_VST3_REFCOUNT_FROM(vst3::FObject)
    QUIL_VST3_CLASS_NAME(PollRunLoop, vst3::FObject)

    // Runs the loop for the given time: waits for descriptors and timers and calls their handlers.
    void runFor(int milliseconds);
    // Waits at most maxWaitMs for the next readable descriptor or due timer and serves what is ready.
    void runOnce(int maxWaitMs);
    // Calls every timer once now, as if all were due (their next turns count from now).
    void fireTimers();

    std::size_t handlerCount() const { return mHandlers.size(); }
    std::size_t timerCount() const { return mTimers.size(); }

private:
    using Clock = std::chrono::steady_clock;
    struct Handler {
        vst3::Linux::IEventHandler* handler;
        int fd;
        std::uint64_t id;
    };
    struct Timer {
        vst3::Linux::ITimerHandler* handler;
        std::chrono::milliseconds interval;
        Clock::time_point due;
        std::uint64_t id;
    };
    bool handlerAlive(std::uint64_t id) const;
    bool timerAlive(std::uint64_t id) const;
    void serveTimers(bool all);

    std::vector<Handler> mHandlers;
    std::vector<Timer> mTimers;
    std::uint64_t mNextId = 1;
};

} // namespace quilhost
