#include "editor/IInputState.h"

int32_t IKeyCodeForChar(char c) {
  if (c == ' ') return kKeySpace;
  if (c >= '0' && c <= '9') return kKeyDigit0 + (c - '0');
  if (c >= 'A' && c <= 'Z') return kKeyA + (c - 'A');
  if (c >= 'a' && c <= 'z') return kKeyA + (c - 'a');
  return -1;
}
