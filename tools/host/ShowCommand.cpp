// `show`: opens the plug-in's editor in a real top-level window, as a host does: view of the
// plug-in's size, attached with this platform's window type, messages pumped until the window
// closes or the time is up; optionally plays scripted input and writes a screenshot.
#include "adapters/vst3/api/PlugView.h"
#include "adapters/vst3/base/FObject.h"
#include "tools/host/Commands.h"
#include "tools/host/HostSession.h"
#include "tools/host/ParameterAssignments.h"
#include "tools/host/RenderIo.h"
#include "tools/host/ShowRun.h"

#include <cstdio>

namespace quilhost {
namespace {

// The frame the view lives in: carries its resize requests to the window.
class ShowFrame : public vst3::FObject, public vst3::IPlugFrame {
public:
    explicit ShowFrame(ShowWindow& window) : mWindow(window) {}

    vst3::tresult PLUGIN_API resizeView(vst3::IPlugView* view, vst3::ViewRect* newSize) override {
        if (!view || !newSize) return vst3::kInvalidArgument;
        if (!mWindow.resizeClient(newSize->right - newSize->left, newSize->bottom - newSize->top))
            return vst3::kResultFalse;
        view->onSize(newSize);
        return vst3::kResultOk;
    }

    vst3::tresult PLUGIN_API queryInterface(const vst3::TUID iidBytes, void** obj) override {
        if (obj && iidBytes && vst3::answerInterface<vst3::IPlugFrame>(this, iidBytes, obj)) return vst3::kResultOk;
        if (obj && iidBytes && mWindow.queryInterface(iidBytes, obj)) return vst3::kResultOk;
        return FObject::queryInterface(iidBytes, obj);
    }
    QUIL_VST3_REFCOUNT_FROM(vst3::FObject)

private:
    ShowWindow& mWindow;
};

void printEdits(const PluginInstance& instance) {
    for (const std::string& entry : instance.handler().log()) std::printf("host: %s\n", entry.c_str());
}

} // namespace

int runShow(const CommandOptions& options) {
    std::vector<ShowEvent> events;
    std::string error;
    if (!options.eventsFile.empty() && !loadShowEvents(options.eventsFile, events, error)) return commandFailure(error);

    auto session = HostSession::open(options.bundle, error);
    if (!session) return commandFailure(error);
    PluginInstance& instance = session->instance();
    // Host automation before the window opens: the values the controls show from the first paint.
    if (!sendAssignments(instance, options, error)) return commandFailure(error);

    vst3::IPlugView* view = instance.controller()->createView(vst3::kEditorViewType);
    if (!view) return commandFailure("the plug-in offers no editor");
    vst3::ViewRect size{};
    if (view->getSize(&size) != vst3::kResultOk || size.right <= size.left || size.bottom <= size.top) {
        view->release();
        return commandFailure("the editor reports no usable size");
    }
    auto window = ShowWindow::create(size.right - size.left, size.bottom - size.top,
                                     instance.classInfo().name, error);
    if (!window) {
        view->release();
        return commandFailure(error);
    }
    if (view->isPlatformTypeSupported(window->platformType()) != vst3::kResultTrue) {
        view->release();
        return commandFailure(std::string("the editor does not support the window type ") + window->platformType());
    }
    auto* frame = new ShowFrame(*window);
    view->setFrame(frame);
    int status = 1;
    if (view->attached(window->nativeHandle(), window->platformType()) == vst3::kResultOk) {
        std::printf("editor: %d x %d in a %s window\n", size.right - size.left, size.bottom - size.top,
                    window->platformType());
        status = runShowWindow(*window, options, events);
        view->removed();
    } else {
        std::fprintf(stderr, "quilhost: the editor refused the window\n");
    }
    view->setFrame(nullptr);
    view->release();
    frame->release();
    printEdits(instance);
    return status;
}

} // namespace quilhost
