// `show` for a VST2 library: the editor opened with effEditOpen into the host's own window (its
// HWND on Windows, its X11 window id on Linux), effEditIdle sent from the host's timer while the
// window is up, effEditClose at the end; afterwards the calls the editor made to the host.
#include "tools/host/RenderIo.h"
#include "tools/host/ShowRun.h"
#include "tools/host/vst2/Vst2Commands.h"

#include <algorithm>
#include <cstdio>

using namespace vst2;

namespace quilhost {
namespace {

// The period of the host's idle timer: an editor that has no thread or loop of its own redraws
// and handles input from these calls.
constexpr int kEditIdleMs = 10;

// The platform's window, sending effEditIdle between slices of its pumping.
class IdlingShowWindow : public ShowWindow {
public:
    IdlingShowWindow(std::unique_ptr<ShowWindow> window, const Vst2Plugin& plugin)
        : mWindow(std::move(window)), mPlugin(plugin) {}

    void* nativeHandle() override { return mWindow->nativeHandle(); }
    const char* platformType() const override { return mWindow->platformType(); }
    bool pump(int ms) override {
        for (;;) {
            const int slice = std::min(ms, kEditIdleMs);
            if (!mWindow->pump(slice)) return false;
            mPlugin.dispatch(effEditIdle);
            ms -= slice;
            if (ms <= 0) return true;
        }
    }
    bool inject(const ShowEvent& event, std::string& error) override { return mWindow->inject(event, error); }
    bool capture(Raster_MemBitmap& pixels) override { return mWindow->capture(pixels); }
    bool resizeClient(int width, int height) override { return mWindow->resizeClient(width, height); }

private:
    std::unique_ptr<ShowWindow> mWindow;
    const Vst2Plugin& mPlugin;
};

void printHostEvents(const Vst2Plugin& plugin) {
    for (const Vst2HostEvent& event : plugin.hostEvents()) {
        if (event.opcode == audioMasterAutomate)
            std::printf("host: automate %d %f\n", event.index, static_cast<double>(event.opt));
        else if (event.opcode == audioMasterBeginEdit)
            std::printf("host: beginEdit %d\n", event.index);
        else if (event.opcode == audioMasterEndEdit)
            std::printf("host: endEdit %d\n", event.index);
    }
}

} // namespace

int runVst2Show(const CommandOptions& options) {
    std::vector<ShowEvent> events;
    std::string error;
    if (!options.eventsFile.empty() && !loadShowEvents(options.eventsFile, events, error)) return commandFailure(error);

    Vst2Session session;
    if (!session.open(options.bundle, error)) return commandFailure(error);
    Vst2Plugin& plugin = *session.plugin;
    AEffect* effect = plugin.effect();
    // Host automation before the window opens: the values the controls show from the first paint.
    if (!setVst2Assignments(session, options.assignments, error)) return commandFailure(error);

    if (!(effect->flags & effFlagsHasEditor)) return commandFailure("the plug-in offers no editor");
    ERect* rect = nullptr;
    if (plugin.dispatch(effEditGetRect, 0, 0, &rect) == 0 || !rect || rect->right <= rect->left ||
        rect->bottom <= rect->top)
        return commandFailure("the editor reports no usable size");
    const int width = rect->right - rect->left, height = rect->bottom - rect->top;
    auto platformWindow = ShowWindow::create(width, height, plugin.text(effGetEffectName), error);
    if (!platformWindow) return commandFailure(error);
    IdlingShowWindow window(std::move(platformWindow), plugin);
    if (plugin.dispatch(effEditOpen, 0, 0, window.nativeHandle()) == 0)
        return commandFailure("the editor refused the window");
    std::printf("editor: %d x %d in a %s window\n", width, height, window.platformType());
    const int status = runShowWindow(window, options, events);
    plugin.dispatch(effEditClose);
    printHostEvents(plugin);
    return status;
}

} // namespace quilhost
