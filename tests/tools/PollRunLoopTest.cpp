// The host's run loop for Linux editors: descriptors served when readable, timers at their interval,
// and handlers that unregister themselves or others from inside a call.
#include "tools/host/x11/PollRunLoop.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <functional>

using namespace vst3;
using namespace vst3::Linux;
using quilhost::PollRunLoop;

namespace {

class Handler : public FObject, public IEventHandler, public ITimerHandler {
public:
    explicit Handler(std::function<void()> onCall = nullptr) : mOnCall(std::move(onCall)) {}
    void PLUGIN_API onFDIsSet(FileDescriptor fd) override {
        char byte;
        if (read(fd, &byte, 1) == 1) ++reads;
        if (mOnCall) mOnCall();
    }
    void PLUGIN_API onTimer() override {
        ++ticks;
        if (mOnCall) mOnCall();
    }
    tresult PLUGIN_API queryInterface(const TUID iidBytes, void** obj) override {
        if (obj && answerInterface<IEventHandler>(this, iidBytes, obj)) return kResultOk;
        if (obj && answerInterface<ITimerHandler>(this, iidBytes, obj)) return kResultOk;
        return FObject::queryInterface(iidBytes, obj);
    }
    QUIL_VST3_REFCOUNT_FROM(FObject)

    int reads = 0;
    int ticks = 0;

private:
    std::function<void()> mOnCall;
};

} // namespace

TEST(PollRunLoop, ServesReadableDescriptorsAndDueTimersOnly) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    PollRunLoop loop;
    auto* handler = new Handler;
    EXPECT_EQ(loop.registerEventHandler(handler, fds[0]), kResultOk);
    EXPECT_EQ(loop.registerTimer(handler, 20), kResultOk);
    EXPECT_EQ(loop.registerEventHandler(nullptr, fds[0]), kInvalidArgument);
    EXPECT_EQ(loop.registerEventHandler(handler, -1), kInvalidArgument);
    EXPECT_EQ(loop.registerTimer(handler, 0), kInvalidArgument);

    loop.runOnce(0);
    EXPECT_EQ(handler->reads, 0);
    EXPECT_EQ(handler->ticks, 0);
    ASSERT_EQ(write(fds[1], "x", 1), 1);
    loop.runOnce(0);
    EXPECT_EQ(handler->reads, 1);
    loop.runFor(110);
    EXPECT_GE(handler->ticks, 4);
    EXPECT_LE(handler->ticks, 6);

    EXPECT_EQ(loop.unregisterTimer(handler), kResultOk);
    EXPECT_EQ(loop.unregisterTimer(handler), kInvalidArgument);
    EXPECT_EQ(loop.unregisterEventHandler(handler), kResultOk);
    // The loop held references of its own and let them go.
    EXPECT_EQ(handler->refCount(), 1u);
    handler->release();
    close(fds[0]);
    close(fds[1]);
}

TEST(PollRunLoop, HandlersMayLeaveFromInsideACall) {
    PollRunLoop loop;
    Handler* second = new Handler;
    Handler* first = nullptr;
    first = new Handler([&] {
        loop.unregisterTimer(first);
        loop.unregisterTimer(second);
    });
    loop.registerTimer(first, 5);
    loop.registerTimer(second, 5);
    loop.fireTimers();
    EXPECT_EQ(first->ticks, 1);
    EXPECT_EQ(second->ticks, 0);
    EXPECT_EQ(loop.timerCount(), 0u);
    first->release();
    second->release();
}
