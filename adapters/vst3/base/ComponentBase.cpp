#include "adapters/vst3/base/ComponentBase.h"

namespace vst3 {

ComponentBase::~ComponentBase() { terminate(); }

tresult PLUGIN_API ComponentBase::initialize(FUnknown* context) {
    if (mHostContext) return kResultFalse;
    mHostContext = context;
    if (mHostContext) mHostContext->addRef();
    return kResultOk;
}

tresult PLUGIN_API ComponentBase::terminate() {
    if (mHostContext) {
        mHostContext->release();
        mHostContext = nullptr;
    }
    if (mPeerConnection) {
        mPeerConnection->release();
        mPeerConnection = nullptr;
    }
    return kResultOk;
}

tresult PLUGIN_API ComponentBase::connect(IConnectionPoint* other) {
    if (!other) return kInvalidArgument;
    if (mPeerConnection) return kResultFalse;
    mPeerConnection = other;
    mPeerConnection->addRef();
    return kResultOk;
}

tresult PLUGIN_API ComponentBase::disconnect(IConnectionPoint* other) {
    if (!mPeerConnection || other != mPeerConnection) return kResultFalse;
    mPeerConnection->release();
    mPeerConnection = nullptr;
    return kResultOk;
}

tresult PLUGIN_API ComponentBase::notify(IMessage*) { return kResultFalse; }

tresult PLUGIN_API ComponentBase::queryInterface(const TUID iidBytes, void** obj) {
    if (obj && iidBytes) {
        if (answerInterface<IPluginBase>(this, iidBytes, obj)) return kResultOk;
        if (answerInterface<IConnectionPoint>(this, iidBytes, obj)) return kResultOk;
    }
    return FObject::queryInterface(iidBytes, obj);
}

} // namespace vst3
