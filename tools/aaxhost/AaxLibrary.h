#pragma once
// Loading an AAX module: the binary inside a `<Name>.aaxplugin` bundle folder and the platform's
// library calls.

#include <string>

namespace aaxhost {

// The binary to load for `path`: inside a bundle folder Contents/x64/<Name>.aaxplugin on Windows
// or Contents/x86_64-linux/<Name>.so on Linux; `path` itself when it names a file.
std::string locateAaxBinary(const std::string& path);

// Null, with `error` set, when the library cannot be loaded.
void* openLibrary(const std::string& path, std::string& error);
void* librarySymbol(void* library, const char* name);
void closeLibrary(void* library);

} // namespace aaxhost
