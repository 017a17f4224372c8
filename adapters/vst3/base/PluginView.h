#pragma once
// Base of editor views: keeps the view rectangle, the host's parent window while attached and
// the host frame. Derived views decide which platforms they support and what attaching opens.

#include "adapters/vst3/api/PlugView.h"
#include "adapters/vst3/base/FObject.h"

namespace vst3 {

class CPluginView : public FObject, public IPlugView {
public:
    explicit CPluginView(const ViewRect* rect = nullptr);

    tresult PLUGIN_API isPlatformTypeSupported(FIDString type) override;
    // Remembers the parent window.
    tresult PLUGIN_API attached(void* parent, FIDString type) override;
    // Forgets the parent window.
    tresult PLUGIN_API removed() override;
    tresult PLUGIN_API onWheel(float distance) override;
    tresult PLUGIN_API onKeyDown(char16 key, int16 keyCode, int16 modifiers) override;
    tresult PLUGIN_API onKeyUp(char16 key, int16 keyCode, int16 modifiers) override;
    tresult PLUGIN_API getSize(ViewRect* size) override;
    tresult PLUGIN_API onSize(ViewRect* newSize) override;
    tresult PLUGIN_API onFocus(TBool state) override;
    // Keeps the frame pointer; the host guarantees it outlives the view's attachment.
    tresult PLUGIN_API setFrame(IPlugFrame* frame) override;
    tresult PLUGIN_API canResize() override;
    tresult PLUGIN_API checkSizeConstraint(ViewRect* rect) override;

    tresult PLUGIN_API queryInterface(const TUID iidBytes, void** obj) override;
    QUIL_VST3_REFCOUNT_FROM(FObject)
    QUIL_VST3_CLASS_NAME(CPluginView, FObject)

    const ViewRect& getRect() const { return mRect; }
    void setRect(const ViewRect& rect) { mRect = rect; }
    void* getSystemWindow() const { return mSystemWindow; }
    IPlugFrame* getFrame() const { return mPlugFrame; }

private:
    ViewRect mRect{};
    void* mSystemWindow = nullptr;
    IPlugFrame* mPlugFrame = nullptr;
};

} // namespace vst3
