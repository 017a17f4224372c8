#include "adapters/vst3/IEffectVST3View.h"

#include "adapters/vst3/IEffectVST3.h"
#include "editor/IGraphics.h"

#include <cstring>

using namespace vst3;

namespace {

bool isHwnd(FIDString type) { return type && std::strcmp(type, kPlatformTypeHWND) == 0; }

} // namespace

IEffectVST3View::IEffectVST3View(IEffectVST3* plugin) : mPlugin(plugin) { mPlugin->addRef(); }

IEffectVST3View::~IEffectVST3View() {
    // A host that releases a view it never removed leaves no editor window behind.
    CloseEditor();
    mPlugin->RemoveView(this);
    mPlugin->release();
}

tresult PLUGIN_API IEffectVST3View::isPlatformTypeSupported(FIDString type) {
    return mPlugin->Editor() && isHwnd(type) ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API IEffectVST3View::attached(void* parent, FIDString type) {
    IGraphics* editor = mPlugin->Editor();
    if (!editor) return kResultFalse;
    // The one editor window is another view's until that view is removed.
    if (mPlugin->EditorView() && mPlugin->EditorView() != this) return kResultFalse;
    CPluginView::attached(parent, type);
    mPlugin->SetEditorView(this);
    if (isHwnd(type)) editor->OpenEditorWindow(parent);
    mPlugin->EditorOpened();
    return kResultOk;
}

tresult PLUGIN_API IEffectVST3View::removed() {
    CloseEditor();
    return CPluginView::removed();
}

void IEffectVST3View::CloseEditor() {
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
