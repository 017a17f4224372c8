#pragma once
// Note and data events and the list the host delivers them in.

#include "adapters/vst3/api/FUnknown.h"

#include <cstddef>

namespace vst3 {

struct NoteOnEvent {
    int16 channel;
    int16 pitch;
    float tuning;
    float velocity;
    int32 length;
    int32 noteId;
};

struct NoteOffEvent {
    int16 channel;
    int16 pitch;
    float velocity;
    int32 noteId;
    float tuning;
};

struct DataEvent {
    enum DataTypes : uint32 { kMidiSysEx = 0 };
    uint32 size;
    uint32 type;
    const uint8* bytes;
};

struct PolyPressureEvent {
    int16 channel;
    int16 pitch;
    float pressure;
    int32 noteId;
};

struct ChordEvent {
    int16 root;
    int16 bassNote;
    int16 mask;
    uint16 textLen;
    const TChar* text;
};

struct ScaleEvent {
    int16 root;
    int16 mask;
    uint16 textLen;
    const TChar* text;
};

struct LegacyMIDICCOutEvent {
    uint8 controlNumber;
    int8 channel;
    int8 value;
    int8 value2;
};

// The note-expression events are 4-byte packed on i386 Windows. That keeps every union member of
// Event at 4-byte alignment there, which puts the union at offset 20 and makes Event 40 bytes.
#if defined(_WIN32) && !defined(_WIN64)
#pragma pack(push, 4)
#endif
struct NoteExpressionValueEvent {
    uint32 typeId;
    int32 noteId;
    double value;
};

struct NoteExpressionTextEvent {
    uint32 typeId;
    int32 noteId;
    uint32 textLen;
    const TChar* text;
};
#if defined(_WIN32) && !defined(_WIN64)
#pragma pack(pop)
#endif

struct Event {
    enum EventFlags : uint16 { kIsLive = 1 << 0, kUserReserved1 = 1 << 14, kUserReserved2 = 1 << 15 };
    enum EventTypes : uint16 {
        kNoteOnEvent = 0,
        kNoteOffEvent = 1,
        kDataEvent = 2,
        kPolyPressureEvent = 3,
        kNoteExpressionValueEvent = 4,
        kNoteExpressionTextEvent = 5,
        kChordEvent = 6,
        kScaleEvent = 7,
        kLegacyMIDICCOutEvent = 65535,
    };
    int32 busIndex;
    int32 sampleOffset;
    TQuarterNotes ppqPosition;
    uint16 flags;
    uint16 type;
    union {
        NoteOnEvent noteOn;
        NoteOffEvent noteOff;
        DataEvent data;
        PolyPressureEvent polyPressure;
        NoteExpressionValueEvent noteExpressionValue;
        NoteExpressionTextEvent noteExpressionText;
        ChordEvent chord;
        ScaleEvent scale;
        LegacyMIDICCOutEvent midiCCOut;
    };
};

static_assert(sizeof(NoteOnEvent) == 20 && sizeof(NoteOffEvent) == 16, "note event layout");
static_assert(offsetof(NoteOffEvent, tuning) == 12, "note-off field order");
static_assert(sizeof(PolyPressureEvent) == 12 && sizeof(LegacyMIDICCOutEvent) == 4, "event layout");
static_assert(sizeof(NoteExpressionValueEvent) == 16, "note expression layout");
static_assert(alignof(Event) == 8, "Event alignment");
#if defined(_WIN32) && !defined(_WIN64)
static_assert(alignof(NoteExpressionValueEvent) == 4 && sizeof(NoteExpressionTextEvent) == 16, "i386 packing");
static_assert(sizeof(DataEvent) == 12 && sizeof(ChordEvent) == 12 && sizeof(ScaleEvent) == 12, "i386 event layout");
static_assert(sizeof(Event) == 40 && offsetof(Event, noteOn) == 20, "Event layout (i386)");
#else
static_assert(sizeof(NoteExpressionTextEvent) == 24 && offsetof(NoteExpressionTextEvent, text) == 16, "x86-64 layout");
static_assert(sizeof(DataEvent) == 16 && sizeof(ChordEvent) == 16 && sizeof(ScaleEvent) == 16, "x86-64 event layout");
static_assert(sizeof(Event) == 48 && offsetof(Event, noteOn) == 24, "Event layout (x86-64)");
#endif
static_assert(offsetof(Event, flags) == 16 && offsetof(Event, type) == 18, "Event layout");

class IEventList : public FUnknown {
public:
    virtual int32 PLUGIN_API getEventCount() = 0;
    virtual tresult PLUGIN_API getEvent(int32 index, Event& e) = 0;
    virtual tresult PLUGIN_API addEvent(Event& e) = 0;
    static constexpr Uid iid = Uid::fromWords(0x3A2C4214, 0x346349FE, 0xB2C4F397, 0xB9695A44);
};

} // namespace vst3
