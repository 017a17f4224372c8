#pragma once

// The file dialog's type filter for a space-separated list of extensions without dots ("fxp fxb"):
// the patterns "*.fxp;*.fxb" as description and as pattern, each ending in a zero byte, the whole
// ending in a second one; the first extension is added to typed names that have none.
class FileDialogFilter
{
public:
  // False for lists the dialog's buffers cannot hold: a pattern over 126 characters or a first
  // extension over 15. An empty or null list gives no filter and succeeds.
  bool Build(const char* extensions);

  bool Empty() const { return mFilter[0] == 0; }
  const char* Filter() const { return mFilter; }
  const char* DefaultExtension() const { return mDefaultExtension; }

private:
  static constexpr int kFilterBytes = 256;
  static constexpr int kMostPatternChars = 126;
  static constexpr int kDefaultExtensionBytes = 16;

  char mFilter[kFilterBytes] = {};
  char mDefaultExtension[kDefaultExtensionBytes] = {};
};
