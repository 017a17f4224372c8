// Modal conversations with the user: message boxes, the file and colour dialogs, opening a web
// address, and reading text from the clipboard.
#include "editor/win/IGraphicsWin.h"

#include "editor/win/FileDialogFilter.h"

#include <commdlg.h>
#include <shellapi.h>
#include <wininet.h>

#include <cstdlib>
#include <cwchar>
#include <vector>

namespace {

constexpr int kCustomColourCount = 16;
constexpr int kPathBuffer = 256;

UINT_PTR CALLBACK ColourDialogHook(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
  if (message == WM_INITDIALOG) {
    const auto* chooser = reinterpret_cast<const CHOOSECOLORA*>(lParam);
    const char* prompt = chooser ? reinterpret_cast<const char*>(chooser->lCustData) : nullptr;
    if (prompt) SetWindowTextA(dialog, prompt);
  }
  return 0;
}

}  // namespace

int IGraphicsWin::ShowMessageDialog(const char* text, const char* caption, int type)
{
  return MessageBoxA(HostMainWindow(), text, caption, static_cast<UINT>(type));
}

void IGraphicsWin::AskForFile(TextBuffer* fileName, int action, TextBuffer* dir, const char* extensions)
{
  if (!fileName) return;
  FileDialogFilter filter;
  if (!mWindow || !filter.Build(extensions)) {
    fileName->Assign("");
    return;
  }
  char file[kPathBuffer] = {};
  lstrcpynA(file, fileName->Text(), sizeof file);
  TextBuffer initial(kPathBuffer);
  if (dir && dir->Length() > 0)
    initial.Assign(dir->Text());
  else
    DesktopFolder(&initial);
  char folder[kPathBuffer] = {};
  lstrcpynA(folder, initial.Text(), sizeof folder);

  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = mWindow;
  dialog.lpstrFile = file;
  dialog.nMaxFile = kPathBuffer - 1;
  dialog.lpstrInitialDir = folder;
  dialog.Flags = OFN_PATHMUSTEXIST;
  if (!filter.Empty()) {
    dialog.lpstrFilter = filter.Filter();
    dialog.lpstrDefExt = filter.DefaultExtension();
  }
  BOOL chosen;
  if (action == 1) {
    dialog.Flags |= OFN_OVERWRITEPROMPT;
    chosen = GetSaveFileNameA(&dialog);
  } else {
    dialog.Flags |= OFN_FILEMUSTEXIST;
    chosen = GetOpenFileNameA(&dialog);
  }
  if (!chosen) {
    fileName->Assign("");
    return;
  }
  char drive[_MAX_DRIVE] = {}, path[_MAX_DIR] = {};
  _splitpath(file, drive, path, nullptr, nullptr);
  if (dir) dir->AssignFormatted(kPathBuffer, "%s%s", drive, path);
  fileName->Assign(file);
}

bool IGraphicsWin::AskForColour(IRgba* colour, const char* prompt)
{
  if (!mWindow || !colour) return false;
  // Kept for the editor's life, so custom colours survive between prompts.
  if (!mCustomColours) mCustomColours = new COLORREF[kCustomColourCount]();
  CHOOSECOLORA chooser{};
  chooser.lStructSize = sizeof chooser;
  chooser.hwndOwner = mWindow;
  chooser.rgbResult = RGB(colour->red, colour->green, colour->blue);
  chooser.lpCustColors = mCustomColours;
  chooser.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR | CC_SOLIDCOLOR | CC_ENABLEHOOK;
  chooser.lCustData = reinterpret_cast<LPARAM>(prompt);
  chooser.lpfnHook = ColourDialogHook;
  if (!ChooseColorA(&chooser)) return false;
  colour->red = GetRValue(chooser.rgbResult);
  colour->green = GetGValue(chooser.rgbResult);
  colour->blue = GetBValue(chooser.rgbResult);
  return true;
}

bool IGraphicsWin::OpenLink(const char* url, const char* title, const char* confirmText, const char* errorText)
{
  if (!url) return false;
  if (confirmText && MessageBoxA(mWindow, confirmText, title, MB_YESNO) != IDYES) return false;
  DWORD connection = 0;
  if (InternetGetConnectedState(&connection, 0) &&
      reinterpret_cast<INT_PTR>(ShellExecuteA(mWindow, "open", url, nullptr, nullptr, SW_SHOWNORMAL)) > 32)
    return true;
  if (errorText) MessageBoxA(mWindow, errorText, title, MB_OK);
  return false;
}

bool IGraphicsWin::ReadClipboardText(TextBuffer* out)
{
  if (!out) return false;
  bool delivered = false;
  if (IsClipboardFormatAvailable(CF_UNICODETEXT) && OpenClipboard(nullptr)) {
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const auto* text = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    if (text) {
      // Another program wrote the data: the text ends at its terminator or at the block's end.
      const size_t capacity = GlobalSize(data) / sizeof(wchar_t);
      size_t length = 0;
      while (length < capacity && text[length] != 0) ++length;
      const int bytes =
          WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
      if (bytes > 0 || length == 0) {
        std::vector<char> utf8(static_cast<size_t>(bytes) + 1, 0);
        if (length == 0 ||
            WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), utf8.data(), bytes, nullptr, nullptr) == bytes)
          delivered = out->Assign(utf8.data());
      }
      GlobalUnlock(data);
    }
    CloseClipboard();
  }
  if (!delivered) out->Assign("");
  return delivered;
}
