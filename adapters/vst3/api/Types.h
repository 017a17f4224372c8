#pragma once
// Scalar types, result codes, calling convention and identifiers of the VST3 binary interface.
// Everything here must match what hosts built with other compilers expect, on Windows x86-64,
// Windows i386 and Linux x86-64.

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

// Interface methods use stdcall on i386 Windows (this on the stack, callee pops); elsewhere the
// platform's normal convention.
#if defined(_WIN32) && !defined(_WIN64)
#define PLUGIN_API __stdcall
#else
#define PLUGIN_API
#endif

// Windows builds follow COM: HRESULT result codes and GUID byte order in identifiers.
#if defined(_WIN32)
#define QUIL_VST3_COM_COMPATIBLE 1
#else
#define QUIL_VST3_COM_COMPATIBLE 0
#endif

namespace vst3 {

using int8 = char;
using uint8 = std::uint8_t;
using int16 = std::int16_t;
using uint16 = std::uint16_t;
using int32 = std::int32_t;
using uint32 = std::uint32_t;
using int64 = std::int64_t;
using uint64 = std::uint64_t;
using tresult = int32;
using TBool = uint8;
using TSize = int64;
using char8 = char;
using char16 = char16_t;
using TChar = char16;
using String128 = TChar[128];
using FIDString = const char8*;
using CString = const char8*;
using TUID = char[16];

using MediaType = int32;
using BusDirection = int32;
using BusType = int32;
using IoMode = int32;
using UnitID = int32;
using ProgramListID = int32;
using ParamID = uint32;
using ParamValue = double;
using CtrlNumber = int16;
using TQuarterNotes = double;
using TSamples = int64;
using Sample32 = float;
using Sample64 = double;
using SampleRate = double;
using SpeakerArrangement = uint64;
using KnobMode = int32;
using UCoord = int32;

static_assert(sizeof(TChar) == 2, "UTF-16 code units");
static_assert(sizeof(String128) == 256, "String128 is 128 UTF-16 units");

#if QUIL_VST3_COM_COMPATIBLE
constexpr tresult kNoInterface = static_cast<tresult>(0x80004002u);
constexpr tresult kResultOk = 0;
constexpr tresult kResultTrue = kResultOk;
constexpr tresult kResultFalse = 1;
constexpr tresult kInvalidArgument = static_cast<tresult>(0x80070057u);
constexpr tresult kNotImplemented = static_cast<tresult>(0x80004001u);
constexpr tresult kInternalError = static_cast<tresult>(0x80004005u);
constexpr tresult kNotInitialized = static_cast<tresult>(0x8000FFFFu);
constexpr tresult kOutOfMemory = static_cast<tresult>(0x8007000Eu);
#else
constexpr tresult kNoInterface = -1;
constexpr tresult kResultOk = 0;
constexpr tresult kResultTrue = kResultOk;
constexpr tresult kResultFalse = 1;
constexpr tresult kInvalidArgument = 2;
constexpr tresult kNotImplemented = 3;
constexpr tresult kInternalError = 4;
constexpr tresult kNotInitialized = 5;
constexpr tresult kOutOfMemory = 6;
#endif

// A 16-byte class or interface identifier in this platform's memory image, built from the four
// 32-bit words the identifiers are published as.
struct Uid {
    char bytes[16];

    static constexpr Uid fromWords(uint32 l1, uint32 l2, uint32 l3, uint32 l4) {
        Uid uid{};
#if QUIL_VST3_COM_COMPATIBLE
        // GUID memory order: Data1 and the two halves of l2 little endian, the rest big endian.
        putLittle(uid.bytes, 0, l1, 4);
        putLittle(uid.bytes, 4, l2 >> 16, 2);
        putLittle(uid.bytes, 6, l2 & 0xFFFFu, 2);
#else
        putBig(uid.bytes, 0, l1);
        putBig(uid.bytes, 4, l2);
#endif
        putBig(uid.bytes, 8, l3);
        putBig(uid.bytes, 12, l4);
        return uid;
    }

    // The four words back from a 16-byte image of this platform (for the text forms).
    static void toWords(const char* image, uint32 words[4]) {
        const auto* b = reinterpret_cast<const unsigned char*>(image);
        auto big = [b](int at) { return uint32(b[at]) << 24 | uint32(b[at + 1]) << 16 | uint32(b[at + 2]) << 8 | b[at + 3]; };
#if QUIL_VST3_COM_COMPATIBLE
        words[0] = uint32(b[0]) | uint32(b[1]) << 8 | uint32(b[2]) << 16 | uint32(b[3]) << 24;
        words[1] = (uint32(b[4]) | uint32(b[5]) << 8) << 16 | uint32(b[6]) | uint32(b[7]) << 8;
#else
        words[0] = big(0);
        words[1] = big(4);
#endif
        words[2] = big(8);
        words[3] = big(12);
    }

    // The 32-character form of a 16-byte image of this platform: the four words in hexadecimal,
    // the same text on every platform (module descriptions, snapshot names).
    static std::string toText(const char* image) {
        uint32 words[4];
        toWords(image, words);
        char text[33];
        std::snprintf(text, sizeof text, "%08X%08X%08X%08X", words[0], words[1], words[2], words[3]);
        return text;
    }

    bool operator==(const char* other) const { return other && std::memcmp(bytes, other, 16) == 0; }
    bool operator==(const Uid& other) const { return std::memcmp(bytes, other.bytes, 16) == 0; }

private:
    static constexpr void putLittle(char* out, int at, uint32 value, int count) {
        for (int i = 0; i < count; ++i) out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFFu);
    }
    static constexpr void putBig(char* out, int at, uint32 value) {
        for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((value >> (8 * (3 - i))) & 0xFFu);
    }
};

} // namespace vst3
