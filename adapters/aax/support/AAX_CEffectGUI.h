#pragma once
// The editor-object base: the effect-GUI interface the host calls on its user-interface thread.
// Initialize finds the instance's data model through the host's controller and calls BindEditor;
// a view container from the host leads to AttachToView, its removal to DetachFromView; the host's
// size query goes to EditorViewSize. No operation reports a failure to the host except a missing
// controller in Initialize, and no exception leaves a call.

#include "adapters/aax/support/AAX_CEffectParameters.h"

namespace aax {

class AAX_CEffectGUI : public AAX_IACFEffectGUI_V2, public CACFUnknown {
public:
    AAX_CEffectGUI() = default;
    ~AAX_CEffectGUI() override;

    int32_t QueryInterface(const acfIID& iid, void** out) override;
    QUIL_AAX_REFCOUNT

    int32_t Initialize(IACFUnknown* controller) override;
    int32_t Uninitialize() override;
    int32_t NotificationReceived(uint32_t type, const void* data, uint32_t size) override;
    int32_t SetViewContainer(IACFUnknown* viewContainer) override;
    int32_t GetViewSize(AAX_Point* outSize) const override;
    int32_t Draw(AAX_Rect* rect) override;
    int32_t TimerWakeup() override;
    int32_t ParameterUpdated(const char* id) override;
    int32_t GetCustomLabel(int32_t selector, AAX_IString* out) const override;
    int32_t SetControlHighlightInfo(const char* id, uint8_t highlighted, int32_t color) override;
    int32_t GetMinimumViewSize(AAX_Point* outSize) const override;

protected:
    virtual void BindEditor() = 0;
    virtual void AttachToView() = 0;
    virtual void DetachFromView() = 0;
    // Writes the view's size (vertical, then horizontal) when there is one.
    virtual int32_t EditorViewSize(AAX_Point& size) const = 0;

    // The instance's data model, when the host's controller led to one of ours.
    AAX_CEffectParameters* GetEffectParameters() const { return mEffectParameters; }
    AAX_VViewContainer& ViewContainer() { return mViewContainer; }
    AAX_VController& Controller() { return mController; }

private:
    void DropViewContainer();

    AAX_VController mController;
    // Holds one reference to the data model while set.
    AAX_CEffectParameters* mEffectParameters = nullptr;
    AAX_VViewContainer mViewContainer;
};

} // namespace aax
