#pragma once
// What component and controller share: the host context given at initialisation and the
// connection to the peer object.

#include "adapters/vst3/api/Host.h"
#include "adapters/vst3/base/FObject.h"

namespace vst3 {

class ComponentBase : public FObject, public IPluginBase, public IConnectionPoint {
public:
    ComponentBase() = default;
    ~ComponentBase() override;

    // Keeps the host context (one reference); a second initialisation is refused.
    tresult PLUGIN_API initialize(FUnknown* context) override;
    // Releases the host context and the peer connection.
    tresult PLUGIN_API terminate() override;

    tresult PLUGIN_API connect(IConnectionPoint* other) override;
    tresult PLUGIN_API disconnect(IConnectionPoint* other) override;
    tresult PLUGIN_API notify(IMessage* message) override;

    tresult PLUGIN_API queryInterface(const TUID iidBytes, void** obj) override;
    QUIL_VST3_REFCOUNT_FROM(FObject)
    QUIL_VST3_CLASS_NAME(ComponentBase, FObject)

    FUnknown* getHostContext() const { return mHostContext; }
    IConnectionPoint* getPeer() const { return mPeerConnection; }

private:
    FUnknown* mHostContext = nullptr;
    IConnectionPoint* mPeerConnection = nullptr;
};

} // namespace vst3
