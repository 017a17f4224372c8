#include "editor/IInputState.h"

int32_t IKeyCodeForChar(char c) {
  if (c == ' ') return kKeySpace;
  if (c >= '0' && c <= '9') return kKeyDigit0 + (c - '0');
  if (c >= 'A' && c <= 'Z') return kKeyA + (c - 'A');
  if (c >= 'a' && c <= 'z') return kKeyA + (c - 'a');
  return -1;
}

int32_t IKeyCodeForVirtualKey(int virtualKey) {
  switch (virtualKey) {
    case 0x20: return kKeySpace;
    case 0x25: return kKeyLeft;
    case 0x26: return kKeyUp;
    case 0x27: return kKeyRight;
    case 0x28: return kKeyDown;
    default: break;
  }
  // Digit and letter keys carry their upper-case character as code.
  if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z'))
    return IKeyCodeForChar(static_cast<char>(virtualKey));
  return -1;
}
