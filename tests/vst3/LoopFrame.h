#pragma once
// A host frame as a Linux host gives it to editor views: it offers its run loop (one that takes
// every registration and runs nothing), or no loop at all. Plus the platform's window type names.

#include "adapters/vst3/api/PlugView.h"
#include "adapters/vst3/api/RunLoop.h"
#include "adapters/vst3/base/FObject.h"

namespace vst3test {

#if defined(_WIN32)
constexpr const char* kNativeWindowType = "HWND";
constexpr const char* kForeignWindowType = "X11EmbedWindowID";
constexpr bool kViewsNeedRunLoop = false;
#else
constexpr const char* kNativeWindowType = "X11EmbedWindowID";
constexpr const char* kForeignWindowType = "HWND";
constexpr bool kViewsNeedRunLoop = true;
#endif

class AcceptingRunLoop : public vst3::FObject, public vst3::Linux::IRunLoop {
public:
    vst3::tresult PLUGIN_API registerEventHandler(vst3::Linux::IEventHandler*, vst3::Linux::FileDescriptor) override {
        return vst3::kResultOk;
    }
    vst3::tresult PLUGIN_API unregisterEventHandler(vst3::Linux::IEventHandler*) override { return vst3::kResultOk; }
    vst3::tresult PLUGIN_API registerTimer(vst3::Linux::ITimerHandler*, vst3::Linux::TimerInterval) override {
        return vst3::kResultOk;
    }
    vst3::tresult PLUGIN_API unregisterTimer(vst3::Linux::ITimerHandler*) override { return vst3::kResultOk; }
    vst3::tresult PLUGIN_API queryInterface(const vst3::TUID iidBytes, void** obj) override {
        if (obj && vst3::answerInterface<vst3::Linux::IRunLoop>(this, iidBytes, obj)) return vst3::kResultOk;
        return FObject::queryInterface(iidBytes, obj);
    }
    QUIL_VST3_REFCOUNT_FROM(vst3::FObject)
};

class LoopFrame : public vst3::FObject, public vst3::IPlugFrame {
public:
    explicit LoopFrame(bool withLoop = true) : mLoop(withLoop ? new AcceptingRunLoop : nullptr) {}
    ~LoopFrame() override {
        if (mLoop) mLoop->release();
    }
    vst3::tresult PLUGIN_API resizeView(vst3::IPlugView*, vst3::ViewRect*) override { return vst3::kResultFalse; }
    vst3::tresult PLUGIN_API queryInterface(const vst3::TUID iidBytes, void** obj) override {
        if (obj && vst3::answerInterface<vst3::IPlugFrame>(this, iidBytes, obj)) return vst3::kResultOk;
        if (obj && mLoop && vst3::Linux::IRunLoop::iid == iidBytes) return mLoop->queryInterface(iidBytes, obj);
        return FObject::queryInterface(iidBytes, obj);
    }
    QUIL_VST3_REFCOUNT_FROM(vst3::FObject)

private:
    AcceptingRunLoop* mLoop;
};

} // namespace vst3test
