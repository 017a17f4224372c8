#pragma once

#include "core/TypedBuffer.h"

// A growable NUL-terminated string. Its size counts the terminator; an empty buffer (size 0) reads
// as the empty text. Operations that cannot allocate leave the text as it was and return false.
class TextBuffer
{
public:
  explicit TextBuffer(int granularity = 4096) : mChars(granularity) {}

  // Copies text; maxLen <= 0 takes the whole text, otherwise at most maxLen characters. A null or
  // empty text leaves the empty string (size 1). text may point into this buffer.
  bool Assign(const char* text, int maxLen = 0);

  // Writes length characters of text at position, moving the keepAfter characters that followed
  // the position behind them, and terminates. text must not point into this buffer.
  bool InsertAt(int position, const char* text, int length, int keepAfter);

  // Bounded formatting: the result keeps at most maxLen characters; a formatting error leaves the
  // empty text.
  bool AssignFormatted(int maxLen, const char* format, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 3, 4)))
#endif
      ;

  const char* Text() const;
  int Length() const { return mChars.Size() > 0 ? mChars.Size() - 1 : 0; }
  int Size() const { return mChars.Size(); }

private:
  TypedBuffer mChars;
};
