#pragma once
// Scalar types and the calling convention of the VST 2.4 binary interface, for Windows i386,
// Windows x86-64 and Linux x86-64. Hosts built with other compilers call across it, so every type
// here has a fixed width and every structure the natural (8-byte packed) layout.

#include <cstddef>
#include <cstdint>

// Every function that crosses the interface is cdecl on i386 Windows. A host built with MSVC keeps
// the stack only 4-byte aligned there, while our compiler assumes 16: the functions a host calls
// realign it on entry.
#if defined(_WIN32) && !defined(_WIN64)
#define QUIL_VST2_CALL __cdecl
#define QUIL_VST2_HOST_ENTRY __attribute__((force_align_arg_pointer))
#elif defined(_WIN32)
#define QUIL_VST2_CALL __cdecl
#define QUIL_VST2_HOST_ENTRY
#else
#define QUIL_VST2_CALL
#define QUIL_VST2_HOST_ENTRY
#endif

namespace vst2 {

using VstInt16 = std::int16_t;
using VstInt32 = std::int32_t;
using VstInt64 = std::int64_t;
// Pointers travel through it (the `value` argument, results), so it is exactly pointer-wide.
using VstIntPtr = std::intptr_t;

static_assert(sizeof(VstIntPtr) == sizeof(void*), "VstIntPtr must be pointer-wide");

// Four characters packed into an int, the first in the most significant byte.
constexpr VstInt32 FourCC(char a, char b, char c, char d) {
    return static_cast<VstInt32>((static_cast<std::uint32_t>(static_cast<unsigned char>(a)) << 24) |
                                 (static_cast<std::uint32_t>(static_cast<unsigned char>(b)) << 16) |
                                 (static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 8) |
                                 static_cast<std::uint32_t>(static_cast<unsigned char>(d)));
}

// Whether the layout checks apply to a 32-bit (i386) or a 64-bit target.
constexpr bool kPointers64 = sizeof(void*) == 8;

// The size or offset x64 and i386 give a field.
constexpr std::size_t ByTarget(std::size_t x64, std::size_t x86) { return kPointers64 ? x64 : x86; }

}  // namespace vst2
