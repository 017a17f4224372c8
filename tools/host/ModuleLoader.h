#pragma once
// Loads a VST3 module the way hosts do: find the binary for this platform inside the bundle, load
// it, run its module entry and fetch its factory; on destruction release the factory, run the
// module exit and unload.

#include "adapters/vst3/api/PluginFactory.h"

#include <memory>
#include <string>

namespace quilhost {

// The bundle folder of this platform and architecture, e.g. "x86_64-linux".
const char* bundleArchitectureFolder();

// The binary to load for `path`: inside a `<Name>.vst3` bundle folder the platform's binary
// (Contents/<arch>/<Name>.so or <Name>.vst3), or `path` itself when it names a file. Empty, with
// `error` set, when there is nothing loadable.
std::string locateModuleBinary(const std::string& path, std::string& error);

class Vst3Module {
public:
    // Null, with `error` set, when the module cannot be loaded or refuses to start.
    static std::unique_ptr<Vst3Module> open(const std::string& path, std::string& error);
    ~Vst3Module();

    Vst3Module(const Vst3Module&) = delete;
    Vst3Module& operator=(const Vst3Module&) = delete;

    vst3::IPluginFactory* factory() const { return mFactory; }
    const std::string& binaryPath() const { return mBinaryPath; }
    // The loaded library (an HMODULE on Windows, a dlopen handle elsewhere).
    void* library() const { return mLibrary; }

private:
    using GetFactoryFunction = vst3::IPluginFactory*(PLUGIN_API*)();

    Vst3Module() = default;
    // Calls the module's factory export; false, with `error` set, when it gives no factory.
    bool takeFactory(GetFactoryFunction getFactory, std::string& error);
    // The platform's unload of `mLibrary`.
    void unloadLibrary();

    std::string mBinaryPath;
    void* mLibrary = nullptr;
    bool (*mExit)() = nullptr;
    vst3::IPluginFactory* mFactory = nullptr;
};

} // namespace quilhost
