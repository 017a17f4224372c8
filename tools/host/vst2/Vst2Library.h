#pragma once
// Loads a VST2 library the way hosts do: load the file, look up VSTPluginMain (or, from older
// libraries, main); unload on destruction, after every instance is closed.

#include "adapters/vst2/api/AEffect.h"

#include <memory>
#include <string>

namespace quilhost {

class Vst2Library {
public:
    // Null, with `error` set, when the file does not load or exports no VST2 entry point.
    static std::unique_ptr<Vst2Library> open(const std::string& path, std::string& error);
    ~Vst2Library();

    Vst2Library(const Vst2Library&) = delete;
    Vst2Library& operator=(const Vst2Library&) = delete;

    vst2::EntryFunction entry() const { return mEntry; }
    const std::string& path() const { return mPath; }

private:
    Vst2Library() = default;

    std::string mPath;
    void* mLibrary = nullptr;
    vst2::EntryFunction mEntry = nullptr;
};

// The platform's part: load a file (null, with `error` set, on failure), find an export, unload.
void* loadLibraryFile(const std::string& path, std::string& error);
void* librarySymbol(void* library, const char* name);
void unloadLibraryFile(void* library);

// True when `path` names a library file that exports a VST2 entry point and no VST3 factory.
bool isVst2Library(const std::string& path);

} // namespace quilhost
