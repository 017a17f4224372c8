#include "adapters/aax/AAX_CEffectGUI_IEffect.h"

#include "adapters/aax/IEffectAAX.h"
#include "editor/IGraphics.h"

using namespace aax;

void AAX_CEffectGUI_IEffect::BindEditor() {
    auto* plugin = dynamic_cast<IEffectAAX*>(GetEffectParameters());
    editor = plugin ? plugin->Editor() : nullptr;
}

void AAX_CEffectGUI_IEffect::AttachToView() {
    // The editor lives in a child window of the host's HWND; other kinds of view it cannot use.
    if (!editor || ViewContainer().GetType() != AAX_eViewContainer_Type_HWND) return;
    void* window = ViewContainer().GetPtr();
    if (!window) return;
    editor->SetHostView(&ViewContainer());
    // A window that could not be opened asks the host for nothing.
    if (!editor->OpenEditorWindow(window)) editor->SetHostView(nullptr);
}

void AAX_CEffectGUI_IEffect::DetachFromView() {
    if (!editor) return;
    editor->CloseEditorWindow();
    // The container goes with the window: the plug-in must not resize through it any more.
    if (editor->HostView() == &ViewContainer()) editor->SetHostView(nullptr);
}

int32_t AAX_CEffectGUI_IEffect::EditorViewSize(AAX_Point& size) const {
    if (!editor) return AAX_SUCCESS;
    size.vert = static_cast<float>(editor->Height());
    size.horz = static_cast<float>(editor->Width());
    return AAX_SUCCESS;
}
