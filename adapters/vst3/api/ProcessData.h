#pragma once
// What the host hands the processor: the processing setup, the audio buffers of one block, the
// timing context, parameter changes and events.

#include "adapters/vst3/api/FUnknown.h"

#include <cstddef>

namespace vst3 {

enum SymbolicSampleSizes : int32 { kSample32 = 0, kSample64 = 1 };
enum ProcessModes : int32 { kRealtime = 0, kPrefetch = 1, kOffline = 2 };
constexpr uint32 kNoTail = 0;
constexpr uint32 kInfiniteTail = 0xFFFFFFFFu;

struct ProcessSetup {
    int32 processMode;
    int32 symbolicSampleSize;
    int32 maxSamplesPerBlock;
    SampleRate sampleRate;
};

struct AudioBusBuffers {
    int32 numChannels;
    uint64 silenceFlags;
    union {
        Sample32** channelBuffers32;
        Sample64** channelBuffers64;
    };
};

struct FrameRate {
    uint32 framesPerSecond;
    uint32 flags;
};

struct Chord {
    uint8 keyNote;
    uint8 rootNote;
    int16 chordMask;
};

struct ProcessContext {
    enum StatesAndFlags : uint32 {
        kPlaying = 1 << 1,
        kCycleActive = 1 << 2,
        kRecording = 1 << 3,
        kSystemTimeValid = 1 << 8,
        kProjectTimeMusicValid = 1 << 9,
        kTempoValid = 1 << 10,
        kBarPositionValid = 1 << 11,
        kCycleValid = 1 << 12,
        kTimeSigValid = 1 << 13,
        kSmpteValid = 1 << 14,
        kClockValid = 1 << 15,
        kContTimeValid = 1 << 17,
        kChordValid = 1 << 18,
    };
    uint32 state;
    double sampleRate;
    TSamples projectTimeSamples;
    int64 systemTime;
    TSamples continousTimeSamples;
    TQuarterNotes projectTimeMusic;
    TQuarterNotes barPositionMusic;
    TQuarterNotes cycleStartMusic;
    TQuarterNotes cycleEndMusic;
    double tempo;
    int32 timeSigNumerator;
    int32 timeSigDenominator;
    Chord chord;
    int32 smpteOffsetSubframes;
    FrameRate frameRate;
    int32 samplesToNextClock;
};

class IParameterChanges;
class IEventList;

struct ProcessData {
    int32 processMode;
    int32 symbolicSampleSize;
    int32 numSamples;
    int32 numInputs;
    int32 numOutputs;
    AudioBusBuffers* inputs;
    AudioBusBuffers* outputs;
    IParameterChanges* inputParameterChanges;
    IParameterChanges* outputParameterChanges;
    IEventList* inputEvents;
    IEventList* outputEvents;
    ProcessContext* processContext;
};

static_assert(sizeof(ProcessSetup) == 24 && alignof(ProcessSetup) == 8, "ProcessSetup layout");
static_assert(offsetof(ProcessSetup, sampleRate) == 16, "ProcessSetup layout");
static_assert(sizeof(AudioBusBuffers) == 24 && offsetof(AudioBusBuffers, channelBuffers32) == 16, "AudioBusBuffers layout");
static_assert(sizeof(FrameRate) == 8 && sizeof(Chord) == 4, "FrameRate and Chord layout");
static_assert(sizeof(ProcessContext) == 112 && alignof(ProcessContext) == 8, "ProcessContext layout");
static_assert(offsetof(ProcessContext, sampleRate) == 8 && offsetof(ProcessContext, tempo) == 72, "ProcessContext layout");
static_assert(offsetof(ProcessContext, chord) == 88 && offsetof(ProcessContext, frameRate) == 96, "ProcessContext layout");
static_assert(offsetof(ProcessContext, samplesToNextClock) == 104, "ProcessContext layout");
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(ProcessData) == 48 && offsetof(ProcessData, inputs) == 20, "ProcessData layout (i386)");
static_assert(offsetof(ProcessData, processContext) == 44, "ProcessData layout (i386)");
#else
static_assert(sizeof(ProcessData) == 80 && offsetof(ProcessData, inputs) == 24, "ProcessData layout (x86-64)");
static_assert(offsetof(ProcessData, processContext) == 72, "ProcessData layout (x86-64)");
#endif

} // namespace vst3
