#pragma once
// AAX values and structures that cross the boundary: results, property and category numbers, stem
// formats, the chunk record, MIDI packets, view points. Sizes and offsets are fixed by the host.

#include <cstddef>
#include <cstdint>

namespace aax {

// AAX results share the component framework's 32-bit space: 0 is success.
constexpr int32_t AAX_SUCCESS = 0;
constexpr int32_t AAX_ERROR_INVALID_PARAMETER_ID = -20001;
constexpr int32_t AAX_ERROR_INVALID_STRING_CONVERSION = -20002;
constexpr int32_t AAX_ERROR_NULL_OBJECT = -20004;
constexpr int32_t AAX_ERROR_INVALID_CHUNK_INDEX = -20006;
constexpr int32_t AAX_ERROR_INVALID_CHUNK_ID = -20007;
constexpr int32_t AAX_ERROR_INCORRECT_CHUNK_SIZE = -20008;
constexpr int32_t AAX_ERROR_UNIMPLEMENTED = -20009;
constexpr int32_t AAX_ERROR_NOT_INITIALIZED = -20011;
constexpr int32_t AAX_ERROR_UNKNOWN_EXCEPTION = -20042;
constexpr int32_t AAX_ERROR_INVALID_ARGUMENT = -20043;
constexpr int32_t AAX_ERROR_NULL_ARGUMENT = -20044;

// Four characters packed into 32 bits, the first in the most significant byte.
constexpr uint32_t fourCharCode(const char (&code)[5]) {
    return (static_cast<uint32_t>(static_cast<unsigned char>(code[0])) << 24) |
           (static_cast<uint32_t>(static_cast<unsigned char>(code[1])) << 16) |
           (static_cast<uint32_t>(static_cast<unsigned char>(code[2])) << 8) |
           static_cast<uint32_t>(static_cast<unsigned char>(code[3]));
}

// The interface set this library implements: SDK 2.9.0, revision 20209000.
constexpr uint64_t kSdkVersion = (uint64_t{0x0209} << 32) + 20209000u;

enum AAX_EProperty : int32_t {
    AAX_eProperty_ManufacturerID = 11,
    AAX_eProperty_ProductID = 12,
    AAX_eProperty_PlugInID_Native = 13,
    AAX_eProperty_PlugInID_AudioSuite = 14,
    AAX_eProperty_InputStemFormat = 51,
    AAX_eProperty_OutputStemFormat = 52,
    AAX_eProperty_LatencyContribution = 56,
    AAX_eProperty_CanBypass = 60,
    AAX_eProperty_UsesClientGUI = 151,
};

constexpr uint32_t AAX_ePlugInCategory_Delay = 0x00000010;

constexpr uint32_t AAX_eStemFormat_Mono = 0x00000001;
constexpr uint32_t AAX_eStemFormat_Stereo = 0x00010002;
constexpr uint32_t AAX_eStemFormat_None = 0xFF9C0000;
// The channel count a stem format carries in its low 16 bits.
constexpr int stemChannelCount(uint32_t stemFormat) { return static_cast<int>(stemFormat & 0xFFFF); }

// Creation procedures registered with an effect descriptor.
constexpr int32_t kAAX_ProcPtrID_Create_EffectParameters = 0;
constexpr int32_t kAAX_ProcPtrID_Create_EffectGUI = 1;

enum AAX_EMIDINodeType : int32_t {
    AAX_eMIDINodeType_LocalInput = 0,
    AAX_eMIDINodeType_LocalOutput = 1,
    AAX_eMIDINodeType_Global = 2,
    AAX_eMIDINodeType_Transport = 3,
};

enum AAX_EParameterType : int32_t { AAX_eParameterType_Discrete = 0, AAX_eParameterType_Continuous = 1 };

constexpr int32_t AAX_eViewContainer_Type_NULL = 0;
constexpr int32_t AAX_eViewContainer_Type_HWND = 3;

// Data model and GUI are described by a C-style record of pointer-sized fields.
using AAX_CFieldIndex = int32_t;

#if defined(_WIN64)
#pragma pack(push, 8)
#endif

// A chunk record: a 56-byte header, then fSize bytes of data the host allocates behind it.
struct AAX_SPlugInChunk {
    int32_t fSize;  // data bytes only, without the header
    int32_t fVersion;
    uint32_t fManufacturerID;
    uint32_t fProductID;
    uint32_t fPlugInID;
    uint32_t fChunkID;
    uint8_t fName[32];
    char fData[1];
};

struct AAX_CMidiPacket {
    uint32_t mTimestamp;
    uint32_t mLength;
    uint8_t mData[4];
    uint8_t mIsImmediate;
};

struct AAX_CMidiStream {
    uint32_t mBufferSize;
    AAX_CMidiPacket* mBuffer;
};

struct AAX_Point {
    float vert;
    float horz;
};

struct AAX_Rect {
    float top;
    float left;
    float width;
    float height;
};

#if defined(_WIN64)
#pragma pack(pop)
#endif

static_assert(offsetof(AAX_SPlugInChunk, fChunkID) == 20 && offsetof(AAX_SPlugInChunk, fName) == 24, "chunk header");
static_assert(offsetof(AAX_SPlugInChunk, fData) == 56 && sizeof(AAX_SPlugInChunk) == 60 &&
                  alignof(AAX_SPlugInChunk) == 4,
              "chunk data");
static_assert(sizeof(AAX_CMidiPacket) == 16 && offsetof(AAX_CMidiPacket, mData) == 8 &&
                  offsetof(AAX_CMidiPacket, mIsImmediate) == 12,
              "MIDI packet");
static_assert(sizeof(AAX_CMidiStream) == 16 && offsetof(AAX_CMidiStream, mBuffer) == 8, "MIDI stream");
static_assert(sizeof(AAX_Point) == 8 && offsetof(AAX_Point, horz) == 4, "point");
static_assert(sizeof(AAX_Rect) == 16, "rect");

// Offset of a chunk's data from the start of its record.
constexpr std::size_t kChunkDataOffset = offsetof(AAX_SPlugInChunk, fData);

// The native processing procedure: one context per instance, from first to one past the last.
using AAX_CProcessProc = void (*)(void* const contextsBegin[], const void* contextsEnd);
using AAX_CInstanceInitProc = int32_t (*)(const void* context, int32_t action);
using AAX_CBackgroundProc = int32_t (*)();

} // namespace aax
