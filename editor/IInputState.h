#pragma once

#include <cstdint>

// Buttons and modifier keys that come with every mouse event.
struct IMouseFlags {
  bool left = false;
  bool right = false;
  bool shift = false;
  bool control = false;
  bool alt = false;
};

// Key codes delivered to controls; the platform layer maps its own codes to these and delivers
// nothing for other keys.
enum IKeyCode : int32_t {
  kKeySpace = 0,
  kKeyUp = 1,
  kKeyDown = 2,
  kKeyLeft = 3,
  kKeyRight = 4,
  kKeyDigit0 = 5,  // digits 0..9 follow in order
  kKeyDigit9 = 14,
  kKeyA = 15,  // letters A..Z follow in order
  kKeyZ = 40,
};

// The code of a digit '0'..'9' or a letter (either case); -1 for any other character.
int32_t IKeyCodeForChar(char c);

// The code of a key by its Windows virtual-key code (space, arrows, digits, letters); -1 for keys
// that are delivered to no control.
int32_t IKeyCodeForVirtualKey(int virtualKey);
