#include "tools/host/ModuleLoader.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace quilhost {

const char* bundleArchitectureFolder() {
#if defined(_WIN64)
    return "x86_64-win";
#elif defined(_WIN32)
    return "x86-win";
#else
    return "x86_64-linux";
#endif
}

std::string locateModuleBinary(const std::string& path, std::string& error) {
    std::error_code ec;
    const fs::path given(path);
    if (fs::is_regular_file(given, ec)) return given.string();
    if (!fs::is_directory(given, ec)) {
        error = "no VST3 bundle or module at '" + path + "'";
        return {};
    }
    fs::path bundle = given;
    if (!bundle.has_filename()) bundle = bundle.parent_path();  // a trailing separator
    const std::string name = bundle.stem().string();
#ifdef _WIN32
    const fs::path binary = bundle / "Contents" / bundleArchitectureFolder() / (name + ".vst3");
#else
    const fs::path binary = bundle / "Contents" / bundleArchitectureFolder() / (name + ".so");
#endif
    if (!fs::is_regular_file(binary, ec)) {
        error = "bundle '" + path + "' has no binary for this platform (looked for '" + binary.string() + "')";
        return {};
    }
    return binary.string();
}

bool Vst3Module::takeFactory(GetFactoryFunction getFactory, std::string& error) {
    mFactory = getFactory();
    if (!mFactory) error = "GetPluginFactory of '" + mBinaryPath + "' returned no factory";
    return mFactory != nullptr;
}

// The factory goes before the module exit, and the exit before the unload, as hosts do it.
Vst3Module::~Vst3Module() {
    if (mFactory) mFactory->release();
    if (mExit) mExit();
    if (mLibrary) unloadLibrary();
}

} // namespace quilhost
