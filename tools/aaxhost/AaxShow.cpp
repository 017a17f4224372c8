#include "tools/aaxhost/AaxShow.h"

#include "tools/aaxhost/AaxInstance.h"
#include "tools/host/ShowRun.h"

#include <cstdio>
#include <string>
#include <vector>

namespace aaxhost {

namespace {

int fail(const std::string& message) {
    std::fprintf(stderr, "aaxhost: %s\n", message.c_str());
    return 1;
}

} // namespace

int showEditorWindow(AaxModule& module, const quilhost::CommandOptions& options) {
    std::string error;
    std::vector<quilhost::ShowEvent> events;
    if (!options.eventsFile.empty() && !quilhost::loadShowEvents(options.eventsFile, events, error)) return fail(error);
    const EffectRecord* effect = module.effect();
    if (!effect || effect->components.empty()) return fail("the module describes no effect");
    auto instance = AaxInstance::create(module, static_cast<int>(effect->components.size()) - 1, 44100.0f, error);
    if (!instance) return fail(error);

    // The size the editor object reports before it is shown, as a host asks for it.
    if (!instance->createEditor(error)) return fail(error);
    aax::AAX_Point size{0.0f, 0.0f};
    instance->editorObject()->GetViewSize(&size);
    if (size.vert < 1.0f || size.horz < 1.0f) return fail("the editor reports no usable size");
    auto window = quilhost::ShowWindow::create(static_cast<int>(size.horz), static_cast<int>(size.vert), "AAX", error);
    if (!window) return fail(error);
    if (std::string(window->platformType()) != "HWND")
        return fail(std::string("an AAX editor opens in an HWND, this window is ") + window->platformType());

    if (!instance->showEditor(window->nativeHandle(), error)) return fail(error);
    std::printf("editor: %d x %d in an HWND view container\n", static_cast<int>(size.horz), static_cast<int>(size.vert));
    const int status = quilhost::runShowWindow(*window, options, events);
    instance->hideEditor();
    for (const AutomationCall& call : instance->automation().takeCalls()) {
        static const char* const kinds[] = {"register", "unregister", "touch", "set", "current", "release"};
        if (call.kind == AutomationCall::Register) continue;
        std::printf("host: %s %s %.6g\n", kinds[call.kind], call.id.c_str(), call.value);
    }
    instance->teardown();
    return status;
}

} // namespace aaxhost
