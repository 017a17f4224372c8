#include "adapters/vst3/IEffectVST3View.h"

#include "adapters/vst3/EditorRunLoopLink.h"
#include "adapters/vst3/IEffectVST3.h"
#include "adapters/vst3/api/RunLoop.h"
#include "editor/IEditorLoopClient.h"
#include "editor/IGraphics.h"

#include <cstring>

using namespace vst3;

namespace {

// The one kind of host window the editor opens in on this platform.
#if defined(_WIN32)
constexpr FIDString kNativeWindowType = kPlatformTypeHWND;
#else
constexpr FIDString kNativeWindowType = kPlatformTypeX11EmbedWindowID;
#endif

bool isNativeWindow(FIDString type) { return type && std::strcmp(type, kNativeWindowType) == 0; }

// Linux hosts run the editor on their own loop; elsewhere the window system drives it and no loop
// is needed (nor asked for).
constexpr bool kEditorNeedsRunLoop = !QUIL_VST3_COM_COMPATIBLE;

} // namespace

IEffectVST3View::IEffectVST3View(IEffectVST3* plugin) : mPlugin(plugin) { mPlugin->addRef(); }

IEffectVST3View::~IEffectVST3View() {
    // A host that releases a view it never removed leaves no editor window behind.
    CloseEditor();
    mPlugin->RemoveView(this);
    mPlugin->release();
}

tresult PLUGIN_API IEffectVST3View::isPlatformTypeSupported(FIDString type) {
    return mPlugin->Editor() && isNativeWindow(type) ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API IEffectVST3View::attached(void* parent, FIDString type) {
    IGraphics* editor = mPlugin->Editor();
    if (!editor) return kResultFalse;
    // The one editor window is another view's until that view is removed.
    if (mPlugin->EditorView() && mPlugin->EditorView() != this) return kResultFalse;
    if (isNativeWindow(type)) {
        // Without the host's loop the window would never redraw: better no editor than a dead one.
        Linux::IRunLoop* loop = kEditorNeedsRunLoop ? queryInterfaceOf<Linux::IRunLoop>(getFrame()) : nullptr;
        if (kEditorNeedsRunLoop && !loop) return kResultFalse;
        const bool opened = OpenWindow(editor, parent, loop);
        if (loop) loop->release();
        if (!opened) return kResultFalse;
    }
    // Another platform's window gets no editor window in it.
    CPluginView::attached(parent, type);
    mPlugin->SetEditorView(this);
    mPlugin->EditorOpened();
    return kResultOk;
}

bool IEffectVST3View::OpenWindow(IGraphics* editor, void* parent, Linux::IRunLoop* loop) {
    // A second attach without a removal in between reopens the window: one connection to the loop.
    DisconnectRunLoop();
    if (!editor->OpenEditorWindow(parent)) return false;
    auto* client = dynamic_cast<IEditorLoopClient*>(editor);
    if (!loop || !client) return true;
    mRunLoopLink = EditorRunLoopLink::Connect(loop, client);
    if (mRunLoopLink) return true;
    editor->CloseEditorWindow();
    return false;
}

void IEffectVST3View::DisconnectRunLoop() {
    if (!mRunLoopLink) return;
    mRunLoopLink->Disconnect();
    mRunLoopLink->release();
    mRunLoopLink = nullptr;
}

tresult PLUGIN_API IEffectVST3View::removed() {
    CloseEditor();
    return CPluginView::removed();
}

void IEffectVST3View::CloseEditor() {
    // The loop stops calling the editor before its window goes.
    DisconnectRunLoop();
    if (mPlugin->EditorView() != this) return;
    mPlugin->SetEditorView(nullptr);
    if (IGraphics* editor = mPlugin->Editor()) {
        mPlugin->EditorClosing();
        editor->CloseEditorWindow();
    }
}

tresult PLUGIN_API IEffectVST3View::getSize(ViewRect* size) {
    const IGraphics* editor = mPlugin->Editor();
    if (!editor) return kResultFalse;
    if (!size) return kInvalidArgument;
    *size = ViewRect{0, 0, editor->Width(), editor->Height()};
    return kResultOk;
}

tresult PLUGIN_API IEffectVST3View::onSize(ViewRect* newSize) {
    if (!newSize) return kResultOk;
    setRect(*newSize);
    if (mResizeRequested) {
        mResizeRequested = false;
        mPlugin->EditorResized();
    }
    return kResultOk;
}

void IEffectVST3View::RequestResize(int width, int height) {
    IPlugFrame* frame = getFrame();
    if (!frame) return;
    mResizeRequested = true;
    ViewRect rect{0, 0, width, height};
    // A host that refuses sends no onSize; a later one of its own must not look like the answer.
    if (frame->resizeView(this, &rect) != kResultOk) mResizeRequested = false;
}
