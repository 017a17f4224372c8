#include "tools/host/HostSession.h"

namespace quilhost {

std::unique_ptr<HostSession> HostSession::open(const std::string& bundle, std::string& error) {
    std::unique_ptr<HostSession> session(new HostSession);
    session->mModule = Vst3Module::open(bundle, error);
    if (!session->mModule) return nullptr;
    session->mContext = new HostApplication("Quil host");
    session->mInstance = session->createInstance(error);
    if (!session->mInstance) return nullptr;
    return session;
}

std::unique_ptr<PluginInstance> HostSession::createInstance(std::string& error) {
    return PluginInstance::create(mModule->factory(), mContext->unknown(), error);
}

HostSession::~HostSession() {
    mInstance.reset();
    if (mContext) mContext->release();
    mModule.reset();
}

} // namespace quilhost
