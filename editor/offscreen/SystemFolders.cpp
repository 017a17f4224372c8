#include "editor/offscreen/SystemFolders.h"

#include "core/ModuleHandle.h"
#include "core/TextBuffer.h"

#include <cstdlib>
#include <cstring>
#include <string>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

// The path up to and including its last separator, when that is not the path's last character.
void AssignFolderOf(const std::string& path, TextBuffer* out)
{
  const size_t last = path.find_last_of(kSeparator);
  if (last == std::string::npos || last + 1 == path.size())
    out->Assign("");
  else
    out->Assign(path.substr(0, last + 1).c_str());
}

// An environment folder with a subfolder below it; empty when the variable is not set.
void AssignEnvFolder(const char* variable, const char* below, TextBuffer* out)
{
  const char* base = std::getenv(variable);
  if (!base || !base[0]) {
    out->Assign("");
    return;
  }
  std::string path(base);
  if (path.back() != kSeparator) path.push_back(kSeparator);
  path += below;
  if (!path.empty() && path.back() != kSeparator) path.push_back(kSeparator);
  out->Assign(path.c_str());
}

#ifdef _WIN32
std::string ModuleFileName(HMODULE module)
{
  char name[MAX_PATH];
  const DWORD length = GetModuleFileNameA(module, name, sizeof(name));
  return length > 0 && length < sizeof(name) ? std::string(name, length) : std::string();
}
#endif

} // namespace

namespace SystemFolders
{

void ExecutableFolder(TextBuffer* out)
{
  if (!out) return;
#ifdef _WIN32
  AssignFolderOf(ModuleFileName(nullptr), out);
#else
  char name[4096];
  const ssize_t length = readlink("/proc/self/exe", name, sizeof(name) - 1);
  AssignFolderOf(length > 0 ? std::string(name, static_cast<size_t>(length)) : std::string(), out);
#endif
}

void ModuleFolder(TextBuffer* out)
{
  if (!out) return;
#ifdef _WIN32
  AssignFolderOf(ModuleFileName(static_cast<HMODULE>(ModuleHandle)), out);
#else
  Dl_info info = {};
  const bool found = dladdr(reinterpret_cast<void*>(&ModuleFolder), &info) != 0 && info.dli_fname;
  // The loader reports the name the binary was started or opened by, which may be relative to a
  // working folder that has changed since.
  char* resolved = found ? realpath(info.dli_fname, nullptr) : nullptr;
  AssignFolderOf(resolved ? std::string(resolved) : std::string(), out);
  std::free(resolved);
#endif
}

void Desktop(TextBuffer* out)
{
  if (!out) return;
#ifdef _WIN32
  AssignEnvFolder("USERPROFILE", "Desktop", out);
#else
  AssignEnvFolder("HOME", "Desktop", out);
#endif
}

void AppData(TextBuffer* out, bool allUsers)
{
  if (!out) return;
#ifdef _WIN32
  AssignEnvFolder(allUsers ? "ProgramData" : "LOCALAPPDATA", "", out);
#else
  if (allUsers) {
    out->Assign("/usr/local/share/");
    return;
  }
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  if (dataHome && dataHome[0])
    AssignEnvFolder("XDG_DATA_HOME", "", out);
  else
    AssignEnvFolder("HOME", ".local/share", out);
#endif
}

} // namespace SystemFolders
