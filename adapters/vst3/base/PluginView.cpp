#include "adapters/vst3/base/PluginView.h"

namespace vst3 {

CPluginView::CPluginView(const ViewRect* rect) {
    if (rect) mRect = *rect;
}

tresult PLUGIN_API CPluginView::isPlatformTypeSupported(FIDString) { return kNotImplemented; }

tresult PLUGIN_API CPluginView::attached(void* parent, FIDString) {
    mSystemWindow = parent;
    return kResultOk;
}

tresult PLUGIN_API CPluginView::removed() {
    mSystemWindow = nullptr;
    return kResultOk;
}

tresult PLUGIN_API CPluginView::onWheel(float) { return kResultFalse; }
tresult PLUGIN_API CPluginView::onKeyDown(char16, int16, int16) { return kResultFalse; }
tresult PLUGIN_API CPluginView::onKeyUp(char16, int16, int16) { return kResultFalse; }

tresult PLUGIN_API CPluginView::getSize(ViewRect* size) {
    if (!size) return kInvalidArgument;
    *size = mRect;
    return kResultTrue;
}

tresult PLUGIN_API CPluginView::onSize(ViewRect* newSize) {
    if (newSize) mRect = *newSize;
    return kResultTrue;
}

tresult PLUGIN_API CPluginView::onFocus(TBool) { return kResultFalse; }

tresult PLUGIN_API CPluginView::setFrame(IPlugFrame* frame) {
    mPlugFrame = frame;
    return kResultTrue;
}

tresult PLUGIN_API CPluginView::canResize() { return kResultFalse; }
tresult PLUGIN_API CPluginView::checkSizeConstraint(ViewRect*) { return kResultFalse; }

tresult PLUGIN_API CPluginView::queryInterface(const TUID iidBytes, void** obj) {
    if (obj && iidBytes && answerInterface<IPlugView>(this, iidBytes, obj)) return kResultOk;
    return FObject::queryInterface(iidBytes, obj);
}

} // namespace vst3
