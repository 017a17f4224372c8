#pragma once
// Text conversions at the VST3 boundary: the interface carries UTF-16 (String128 and friends) and
// fixed 8-bit fields; the framework works in UTF-8. Every copy is bounded by its destination and
// leaves it terminated.

#include "adapters/vst3/api/Types.h"

#include <cstddef>
#include <string>

namespace vst3 {

// UTF-8 `source` into `dest` of `capacity` UTF-16 units. Stops before a character that does not
// fit whole (a surrogate pair is never split); malformed bytes become U+FFFD.
void copyUtf8ToUtf16(char16* dest, std::size_t capacity, const char* source);

// UTF-16 `source` (at most `sourceUnits` units, stops at a zero) into `dest` of `capacity` bytes.
// Stops before a character that does not fit whole; unpaired surrogates become U+FFFD.
void copyUtf16ToUtf8(char* dest, std::size_t capacity, const char16* source, std::size_t sourceUnits);

// UTF-16 text (at most `sourceUnits` units) as a UTF-8 string, for reports and messages.
std::string toUtf8(const char16* source, std::size_t sourceUnits);

// 8-bit text into a fixed field of `size` bytes: truncated to leave a terminator, rest zeroed.
void copyToField(char* field, std::size_t size, const char* source);

// Length of a zero-terminated UTF-16 text, reading at most `maxUnits` units.
std::size_t utf16Length(const char16* text, std::size_t maxUnits);

} // namespace vst3
