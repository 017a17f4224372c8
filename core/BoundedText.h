#pragma once

#include <cstddef>
#include <cstring>

// Copies text into a fixed-size character field, truncating to fit and always terminating.
// A null text gives the empty text.
inline void CopyBounded(char* field, size_t fieldSize, const char* text)
{
  if (fieldSize == 0) return;
  const size_t length = text ? strnlen(text, fieldSize - 1) : 0;
  if (length > 0) std::memmove(field, text, length);
  field[length] = '\0';
}

template <size_t N>
void CopyBounded(char (&field)[N], const char* text)
{
  CopyBounded(field, N, text);
}
