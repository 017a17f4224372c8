// System services: module and special folders, the editor's images from the library's
// resources, and the host's main window that owns message boxes.
#include "editor/win/IGraphicsWin.h"

#include "editor/ImageFileName.h"
#include "raster/Png.h"

#include <shlobj.h>

#include <cstring>

namespace {

constexpr int kPathBuffer = 256;

// The folder of a module's file, with its trailing backslash; "" when it cannot be told.
void ModuleFolder(HMODULE module, TextBuffer* out)
{
  if (!out) return;
  out->Assign("");
  char path[kPathBuffer] = {};
  const DWORD length = GetModuleFileNameA(module, path, sizeof path);
  // A name that filled the buffer was cut short: no folder rather than a wrong one.
  if (length == 0 || length >= sizeof path) return;
  const char* slash = std::strrchr(path, '\\');
  if (!slash || slash[1] == 0) return;
  out->Assign(path, static_cast<int>(slash - path + 1));
}

void SpecialFolder(int folder, TextBuffer* out)
{
  if (!out) return;
  char path[MAX_PATH] = {};
  if (SHGetSpecialFolderPathA(nullptr, path, folder, FALSE))
    out->Assign(path);
  else
    out->Assign("");
}

struct HostWindowSearch {
  DWORD processId;
  const char* className;
  HWND found;
};

BOOL CALLBACK FindHostWindow(HWND window, LPARAM lParam)
{
  auto* search = reinterpret_cast<HostWindowSearch*>(lParam);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId != search->processId) return TRUE;
  char name[129] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::strcmp(name, search->className) != 0) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

void IGraphicsWin::HostExecutablePath(TextBuffer* out) { ModuleFolder(nullptr, out); }

void IGraphicsWin::PluginModulePath(TextBuffer* out) { ModuleFolder(Module(), out); }

void IGraphicsWin::DesktopFolder(TextBuffer* out) { SpecialFolder(CSIDL_DESKTOP, out); }

void IGraphicsWin::AppDataFolder(TextBuffer* out, bool allUsers)
{
  SpecialFolder(allUsers ? CSIDL_COMMON_APPDATA : CSIDL_LOCAL_APPDATA, out);
}

void IGraphicsWin::UserAppDataFolder(TextBuffer* out) { AppDataFolder(out, false); }

Raster_IBitmap* IGraphicsWin::LoadBitmapResource(int resourceId, const char* fileName)
{
  if (!HasPngExtension(fileName)) return nullptr;
  return Raster_PngFromResource(Module(), resourceId);
}

HWND IGraphicsWin::HostMainWindow()
{
  // A cached window the host has destroyed since is no owner any more.
  if (mHostMainWindow && IsWindow(mHostMainWindow)) return mHostMainWindow;
  mHostMainWindow = nullptr;
  if (mParentWindow && IsWindow(mParentWindow)) {
    mHostMainWindow = GetAncestor(mParentWindow, GA_ROOT);
    char name[129] = {};
    GetClassNameA(mHostMainWindow, name, sizeof name);
    mHostMainClass.Assign(name, 128);
    return mHostMainWindow;
  }
  if (mHostMainClass.Length() == 0) return nullptr;
  mHostProcessId = GetCurrentProcessId();
  HostWindowSearch search{mHostProcessId, mHostMainClass.Text(), nullptr};
  EnumWindows(FindHostWindow, reinterpret_cast<LPARAM>(&search));
  mHostMainWindow = search.found;
  return mHostMainWindow;
}
