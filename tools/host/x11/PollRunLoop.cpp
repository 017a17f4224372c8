#include "tools/host/x11/PollRunLoop.h"

#include <poll.h>

#include <algorithm>
#include <climits>

using namespace vst3;
using namespace vst3::Linux;

namespace quilhost {

namespace {

// Ends every registration of `handler` in `entries`; false when it had none. The references go
// last, as a release may destroy the handler.
template <class Entry, class Handler>
bool removeAll(std::vector<Entry>& entries, Handler* handler) {
    std::vector<Handler*> released;
    for (auto it = entries.begin(); it != entries.end();) {
        if (!handler || it->handler != handler) {
            ++it;
            continue;
        }
        released.push_back(it->handler);
        it = entries.erase(it);
    }
    for (Handler* entry : released) entry->release();
    return !released.empty();
}

} // namespace

PollRunLoop::~PollRunLoop() {
    for (Handler& entry : mHandlers) entry.handler->release();
    for (Timer& entry : mTimers) entry.handler->release();
}

tresult PLUGIN_API PollRunLoop::registerEventHandler(IEventHandler* handler, FileDescriptor fd) {
    if (!handler || fd < 0) return kInvalidArgument;
    handler->addRef();
    mHandlers.push_back({handler, fd, mNextId++});
    return kResultOk;
}

tresult PLUGIN_API PollRunLoop::unregisterEventHandler(IEventHandler* handler) {
    return removeAll(mHandlers, handler) ? kResultOk : kInvalidArgument;
}

tresult PLUGIN_API PollRunLoop::registerTimer(ITimerHandler* handler, TimerInterval milliseconds) {
    if (!handler || milliseconds == 0 || milliseconds > static_cast<TimerInterval>(INT_MAX)) return kInvalidArgument;
    handler->addRef();
    const std::chrono::milliseconds interval(static_cast<int>(milliseconds));
    mTimers.push_back({handler, interval, Clock::now() + interval, mNextId++});
    return kResultOk;
}

tresult PLUGIN_API PollRunLoop::unregisterTimer(ITimerHandler* handler) {
    return removeAll(mTimers, handler) ? kResultOk : kInvalidArgument;
}

tresult PLUGIN_API PollRunLoop::queryInterface(const TUID iidBytes, void** obj) {
    if (obj && answerInterface<IRunLoop>(this, iidBytes, obj)) return kResultOk;
    return FObject::queryInterface(iidBytes, obj);
}

bool PollRunLoop::handlerAlive(std::uint64_t id) const {
    return std::any_of(mHandlers.begin(), mHandlers.end(), [id](const Handler& entry) { return entry.id == id; });
}

bool PollRunLoop::timerAlive(std::uint64_t id) const {
    return std::any_of(mTimers.begin(), mTimers.end(), [id](const Timer& entry) { return entry.id == id; });
}

void PollRunLoop::serveTimers(bool all) {
    // Calls may change the list: work from a copy and skip entries that went away meanwhile.
    const std::vector<Timer> timers = mTimers;
    const Clock::time_point now = Clock::now();
    for (const Timer& timer : timers) {
        if (!all && timer.due > now) continue;
        auto entry = std::find_if(mTimers.begin(), mTimers.end(), [&](const Timer& t) { return t.id == timer.id; });
        if (entry == mTimers.end()) continue;
        entry->due = std::max(entry->due + entry->interval, now + std::chrono::milliseconds(1));
        if (all) entry->due = now + entry->interval;
        ITimerHandler* handler = entry->handler;
        handler->addRef();
        handler->onTimer();
        handler->release();
    }
}

void PollRunLoop::fireTimers() { serveTimers(true); }

void PollRunLoop::runOnce(int maxWaitMs) {
    Clock::time_point wake = Clock::now() + std::chrono::milliseconds(std::max(0, maxWaitMs));
    for (const Timer& timer : mTimers) wake = std::min(wake, timer.due);
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(wake - Clock::now()).count();
    const std::vector<Handler> handlers = mHandlers;
    std::vector<pollfd> watched;
    for (const Handler& entry : handlers) watched.push_back({entry.fd, POLLIN, 0});
    const int ready = poll(watched.data(), watched.size(), static_cast<int>(std::max<long long>(0, wait)));
    for (std::size_t i = 0; ready > 0 && i < watched.size(); ++i) {
        if (!(watched[i].revents & (POLLIN | POLLHUP | POLLERR)) || !handlerAlive(handlers[i].id)) continue;
        IEventHandler* handler = handlers[i].handler;
        handler->addRef();
        handler->onFDIsSet(handlers[i].fd);
        handler->release();
    }
    serveTimers(false);
}

void PollRunLoop::runFor(int milliseconds) {
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
        if (left <= 0) break;
        runOnce(static_cast<int>(left));
    }
}

} // namespace quilhost
