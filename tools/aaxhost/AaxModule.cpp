#include "tools/aaxhost/AaxModule.h"

#include "tools/aaxhost/AaxLibrary.h"

using namespace aax;

namespace aaxhost {

namespace {

template <class Function>
bool resolve(void* library, const char* name, Function& function, std::string& error) {
    function = reinterpret_cast<Function>(librarySymbol(library, name));
    if (!function) error = std::string("the module does not export ") + name;
    return function != nullptr;
}

} // namespace

std::unique_ptr<AaxModule> AaxModule::open(const std::string& path, std::string& error) {
    std::unique_ptr<AaxModule> module(new AaxModule);
    module->mLibrary = openLibrary(locateAaxBinary(path), error);
    if (!module->mLibrary || !module->resolveExports(error)) return nullptr;
    AaxExports& exports = module->mExports;
    if (exports.getSdkVersion(&module->mSdkVersion) != ACF_OK) {
        error = "ACFGetSDKVersion failed";
        return nullptr;
    }
    IACFPluginDefinition* definition = nullptr;
    const int32_t registered = exports.registerPlugin(&module->mHost, &definition);
    if (registered != ACF_OK || !definition) {
        error = "ACFRegisterPlugin failed with " + std::to_string(registered);
        return nullptr;
    }
    // The definition is the host's own collection; the host keeps its record and lets it go.
    if (const HostCollection* collection = module->mHost.factory().collection()) module->mCollection = collection->record;
    definition->Release();
    IACFComponentDefinition* component = nullptr;
    exports.registerComponent(&module->mHost, 0, &component);
    if (component) component->Release();
    if (exports.startup(&module->mHost) != ACF_OK) {
        error = "ACFStartup failed";
        return nullptr;
    }
    module->mStarted = true;
    return module;
}

bool AaxModule::resolveExports(std::string& error) {
    return resolve(mLibrary, "ACFCanUnloadNow", mExports.canUnloadNow, error) &&
           resolve(mLibrary, "ACFGetClassFactory", mExports.getClassFactory, error) &&
           resolve(mLibrary, "ACFGetSDKVersion", mExports.getSdkVersion, error) &&
           resolve(mLibrary, "ACFRegisterComponent", mExports.registerComponent, error) &&
           resolve(mLibrary, "ACFRegisterPlugin", mExports.registerPlugin, error) &&
           resolve(mLibrary, "ACFShutdown", mExports.shutdown, error) &&
           resolve(mLibrary, "ACFStartup", mExports.startup, error);
}

AaxModule::~AaxModule() {
    shutdown();
    if (mLibrary) closeLibrary(mLibrary);
}

int32_t AaxModule::shutdown() {
    if (!mStarted) return ACF_OK;
    mStarted = false;
    return mExports.shutdown(&mHost);
}

const EffectRecord* AaxModule::effect() const {
    return mCollection.effects.empty() ? nullptr : &mCollection.effects.front().second;
}

} // namespace aaxhost
