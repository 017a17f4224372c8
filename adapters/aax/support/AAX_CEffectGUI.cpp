#include "adapters/aax/support/AAX_CEffectGUI.h"

namespace aax {

AAX_CEffectGUI::~AAX_CEffectGUI() {
    // The host should have uninitialised; a late release still gives back what is held. The
    // view is not detached here: the derived part that would handle it is gone already.
    mViewContainer.Detach();
    if (mEffectParameters) mEffectParameters->Release();
}

int32_t AAX_CEffectGUI::QueryInterface(const acfIID& iid, void** out) {
    if (!out) return ACF_E_POINTER;
    *out = nullptr;
    if (iid == IID_IACFUnknown || iid == IID_IAAXEffectGUIV1 || iid == IID_IAAXEffectGUIV2)
        return answerInterface<AAX_IACFEffectGUI_V2>(this, out);
    return ACF_E_NOINTERFACE;
}

int32_t AAX_CEffectGUI::Initialize(IACFUnknown* controller) {
    return guardedCall(AAX_ERROR_UNKNOWN_EXCEPTION, [&] {
        if (!controller) return AAX_ERROR_NOT_INITIALIZED;
        if (mController.IsValid()) return AAX_ERROR_INVALID_ARGUMENT;
        mController.Attach(controller);
        void* model = queryHostInterface<void>(controller, IID_IAAXEffectParametersV1);
        mEffectParameters = AAX_CEffectParameters::FromInterface(model);
        // Anything but one of our data models is handed back untouched.
        if (!mEffectParameters && model) static_cast<IACFUnknown*>(model)->Release();
        BindEditor();
        return AAX_SUCCESS;
    });
}

int32_t AAX_CEffectGUI::Uninitialize() {
    return guardedCall(AAX_ERROR_UNKNOWN_EXCEPTION, [&] {
        DropViewContainer();
        if (mEffectParameters) mEffectParameters->Release();
        mEffectParameters = nullptr;
        mController.Detach();
        return AAX_SUCCESS;
    });
}

int32_t AAX_CEffectGUI::NotificationReceived(uint32_t, const void*, uint32_t) { return AAX_SUCCESS; }

int32_t AAX_CEffectGUI::SetViewContainer(IACFUnknown* viewContainer) {
    return guardedCall(AAX_SUCCESS, [&] {
        DropViewContainer();
        if (!viewContainer) return AAX_SUCCESS;
        mViewContainer.Attach(viewContainer);
        if (mViewContainer.IsValid()) AttachToView();
        return AAX_SUCCESS;
    });
}

void AAX_CEffectGUI::DropViewContainer() {
    if (!mViewContainer.IsValid()) return;
    DetachFromView();
    mViewContainer.Detach();
}

int32_t AAX_CEffectGUI::GetViewSize(AAX_Point* outSize) const {
    return guardedCall(AAX_SUCCESS, [&] { return outSize ? EditorViewSize(*outSize) : AAX_SUCCESS; });
}

int32_t AAX_CEffectGUI::Draw(AAX_Rect*) { return AAX_SUCCESS; }

int32_t AAX_CEffectGUI::TimerWakeup() { return AAX_SUCCESS; }

int32_t AAX_CEffectGUI::ParameterUpdated(const char*) { return AAX_SUCCESS; }

int32_t AAX_CEffectGUI::GetCustomLabel(int32_t, AAX_IString*) const { return AAX_ERROR_NULL_OBJECT; }

int32_t AAX_CEffectGUI::SetControlHighlightInfo(const char*, uint8_t, int32_t) { return AAX_SUCCESS; }

int32_t AAX_CEffectGUI::GetMinimumViewSize(AAX_Point*) const { return AAX_SUCCESS; }

} // namespace aax
