#include "core/TextBuffer.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

const char* TextBuffer::Text() const
{
  const char* chars = mChars.Get<char>();
  return chars ? chars : "";
}

bool TextBuffer::Assign(const char* text, int maxLen)
{
  if (!text) text = "";
  const size_t limit = maxLen > 0 ? static_cast<size_t>(maxLen) : static_cast<size_t>(INT32_MAX - 1);
  const size_t length = strnlen(text, limit);

  // The source may lie inside our own storage, which growing can move: keep its offset.
  const char* old = mChars.Get<char>();
  const bool aliased = old && text >= old && text < old + mChars.Size();
  const ptrdiff_t offset = aliased ? text - old : 0;

  const int newSize = static_cast<int>(length) + 1;
  mChars.SetSize(newSize, false);
  if (mChars.Size() != newSize) return false;
  char* chars = mChars.Get<char>();
  std::memmove(chars, aliased ? chars + offset : text, length);
  chars[length] = '\0';
  return true;
}

bool TextBuffer::InsertAt(int position, const char* text, int length, int keepAfter)
{
  const int current = Length();
  position = std::clamp(position, 0, current);
  keepAfter = std::clamp(keepAfter, 0, current - position);
  length = text ? std::max(length, 0) : 0;

  const int64_t wanted = int64_t{position} + length + keepAfter + 1;
  if (wanted > INT32_MAX) return false;
  const int newSize = static_cast<int>(wanted);
  mChars.SetSize(newSize, false);
  if (mChars.Size() != newSize) return false;
  char* chars = mChars.Get<char>();
  std::memmove(chars + position + length, chars + position, static_cast<size_t>(keepAfter));
  if (length > 0) std::memcpy(chars + position, text, static_cast<size_t>(length));
  chars[newSize - 1] = '\0';
  return true;
}

bool TextBuffer::AssignFormatted(int maxLen, const char* format, ...)
{
  maxLen = std::clamp(maxLen, 0, INT32_MAX - 1);
  mChars.SetSize(maxLen + 1, false);
  if (mChars.Size() != maxLen + 1) return false;
  char* chars = mChars.Get<char>();

  va_list args;
  va_start(args, format);
  const int written = std::vsnprintf(chars, static_cast<size_t>(maxLen) + 1, format, args);
  va_end(args);

  const int length = written < 0 ? 0 : std::min(written, maxLen);
  chars[length] = '\0';
  mChars.SetSize(length + 1, false);
  return written >= 0;
}
