#include "editor/offscreen/SystemFolders.h"

#include "core/ModuleHandle.h"
#include "core/TextBuffer.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
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

#ifndef _WIN32
// A folder the user named in the desktop's user-dirs.dirs file ($XDG_CONFIG_HOME, else ~/.config),
// written there as KEY="$HOME/Sub" or KEY="/absolute"; empty when not named.
std::string XdgUserDir(const char* key)
{
  const char* home = std::getenv("HOME");
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string file;
  if (config && config[0] == kSeparator)
    file = std::string(config) + "/user-dirs.dirs";
  else if (home && home[0])
    file = std::string(home) + "/.config/user-dirs.dirs";
  std::ifstream in(file);
  std::string line;
  const std::string prefix = std::string(key) + "=\"";
  while (std::getline(in, line)) {
    if (line.compare(0, prefix.size(), prefix) != 0) continue;
    const size_t end = line.find('"', prefix.size());
    if (end == std::string::npos) return std::string();
    std::string value = line.substr(prefix.size(), end - prefix.size());
    if (value.compare(0, 5, "$HOME") == 0) {
      if (!home || !home[0]) return std::string();
      value = home + value.substr(5);
    }
    return !value.empty() && value[0] == kSeparator ? value : std::string();
  }
  return std::string();
}
#endif

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
  const std::string named = XdgUserDir("XDG_DESKTOP_DIR");
  if (!named.empty())
    out->Assign((named.back() == kSeparator ? named : named + kSeparator).c_str());
  else
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
    // The first of the system's data folders, as the desktop conventions list them.
    const char* dirs = std::getenv("XDG_DATA_DIRS");
    const std::string first = dirs ? std::string(dirs).substr(0, std::string(dirs).find(':')) : std::string();
    if (!first.empty() && first[0] == kSeparator)
      out->Assign((first.back() == kSeparator ? first : first + kSeparator).c_str());
    else
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
