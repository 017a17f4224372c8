#pragma once

#include <string>

struct _XDisplay;

// Reads the text on the clipboard (the CLIPBOARD selection) as UTF-8, asking its owner through
// `requestor`, a window of ours on that display. Waits for the owner's answer at most timeoutMs.
// False, with *out empty, when there is no owner, it offers no text, or it does not answer in time.
bool ReadClipboardUtf8(_XDisplay* display, unsigned long requestor, std::string* out, int timeoutMs = 500);
