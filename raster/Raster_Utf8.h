#pragma once

// UTF-8 walking shared by both text paths. Malformed bytes are never rejected: a byte that does not
// start a well-formed sequence stands for itself (its Latin-1 character), so legacy 8-bit captions
// still show something sensible.

// Decodes the character at `text`, reading no more than `available` bytes (at least 1). Stores the
// character code in `code` (16 bits; characters beyond 16 bits become a space) and returns the number
// of bytes it took.
int Raster_DecodeUtf8(const char* text, int available, int* code);

// True when the text holds at least one well-formed multi-byte UTF-8 sequence, i.e. when it must be
// converted before the system can draw it as wide text.
bool Raster_HasUtf8Sequence(const char* text, int length);
