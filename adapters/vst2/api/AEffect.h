#pragma once
// The effect record a VST2 host receives from the entry point, the host callback, and the numbers
// both sides exchange: record flags, dispatcher opcodes and host (audioMaster) opcodes.

#include "adapters/vst2/api/Vst2Abi.h"

namespace vst2 {

struct AEffect;

using HostCallback = VstIntPtr(QUIL_VST2_CALL*)(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                                void* ptr, float opt);
using DispatcherFunction = VstIntPtr(QUIL_VST2_CALL*)(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                                      VstIntPtr value, void* ptr, float opt);
using ProcessFunction = void(QUIL_VST2_CALL*)(AEffect* effect, float** inputs, float** outputs, VstInt32 frames);
using ProcessDoubleFunction = void(QUIL_VST2_CALL*)(AEffect* effect, double** inputs, double** outputs,
                                                    VstInt32 frames);
using SetParameterFunction = void(QUIL_VST2_CALL*)(AEffect* effect, VstInt32 index, float value);
using GetParameterFunction = float(QUIL_VST2_CALL*)(AEffect* effect, VstInt32 index);
using EntryFunction = AEffect*(QUIL_VST2_CALL*)(HostCallback host);

constexpr VstInt32 kEffectMagic = FourCC('V', 's', 't', 'P');
constexpr VstInt32 kIdentifyAnswer = FourCC('N', 'v', 'E', 'f');
constexpr VstInt32 kVstVersion = 2400;

#pragma pack(push, 8)

struct AEffect {
    VstInt32 magic;
    DispatcherFunction dispatcher;
    ProcessFunction process;  // accumulating
    SetParameterFunction setParameter;
    GetParameterFunction getParameter;
    VstInt32 numPrograms;
    VstInt32 numParams;
    VstInt32 numInputs;
    VstInt32 numOutputs;
    VstInt32 flags;
    VstIntPtr resvd1;  // the host's
    VstIntPtr resvd2;  // the host's
    VstInt32 initialDelay;
    VstInt32 realQualities;
    VstInt32 offQualities;
    float ioRatio;
    void* object;  // the plug-in instance
    void* user;    // the host's
    VstInt32 uniqueID;
    VstInt32 version;
    ProcessFunction processReplacing;
    ProcessDoubleFunction processDoubleReplacing;
    char future[56];
};

#pragma pack(pop)

static_assert(sizeof(AEffect) == ByTarget(192, 144));
static_assert(offsetof(AEffect, dispatcher) == ByTarget(8, 4));
static_assert(offsetof(AEffect, process) == ByTarget(16, 8));
static_assert(offsetof(AEffect, setParameter) == ByTarget(24, 12));
static_assert(offsetof(AEffect, getParameter) == ByTarget(32, 16));
static_assert(offsetof(AEffect, numPrograms) == ByTarget(40, 20));
static_assert(offsetof(AEffect, numParams) == ByTarget(44, 24));
static_assert(offsetof(AEffect, numInputs) == ByTarget(48, 28));
static_assert(offsetof(AEffect, numOutputs) == ByTarget(52, 32));
static_assert(offsetof(AEffect, flags) == ByTarget(56, 36));
static_assert(offsetof(AEffect, resvd1) == ByTarget(64, 40));
static_assert(offsetof(AEffect, resvd2) == ByTarget(72, 44));
static_assert(offsetof(AEffect, initialDelay) == ByTarget(80, 48));
static_assert(offsetof(AEffect, realQualities) == ByTarget(84, 52));
static_assert(offsetof(AEffect, offQualities) == ByTarget(88, 56));
static_assert(offsetof(AEffect, ioRatio) == ByTarget(92, 60));
static_assert(offsetof(AEffect, object) == ByTarget(96, 64));
static_assert(offsetof(AEffect, user) == ByTarget(104, 68));
static_assert(offsetof(AEffect, uniqueID) == ByTarget(112, 72));
static_assert(offsetof(AEffect, version) == ByTarget(116, 76));
static_assert(offsetof(AEffect, processReplacing) == ByTarget(120, 80));
static_assert(offsetof(AEffect, processDoubleReplacing) == ByTarget(128, 84));
static_assert(offsetof(AEffect, future) == ByTarget(136, 88));

enum EffectFlags : VstInt32 {
    effFlagsHasEditor = 1 << 0,
    effFlagsCanMono = 1 << 3,
    effFlagsCanReplacing = 1 << 4,
    effFlagsProgramChunks = 1 << 5,
    effFlagsIsSynth = 1 << 8,
    effFlagsNoSoundInStop = 1 << 9,
    effFlagsCanDoubleReplacing = 1 << 12,
};

// Host to plug-in, through the record's dispatcher.
enum EffectOpcode : VstInt32 {
    effOpen = 0,
    effClose = 1,
    effSetProgram = 2,
    effGetProgram = 3,
    effSetProgramName = 4,
    effGetProgramName = 5,
    effGetParamLabel = 6,
    effGetParamDisplay = 7,
    effGetParamName = 8,
    effSetSampleRate = 10,
    effSetBlockSize = 11,
    effMainsChanged = 12,
    effEditGetRect = 13,
    effEditOpen = 14,
    effEditClose = 15,
    effEditIdle = 19,
    effIdentify = 22,
    effGetChunk = 23,
    effSetChunk = 24,
    effProcessEvents = 25,
    effCanBeAutomated = 26,
    effString2Parameter = 27,
    effGetProgramNameIndexed = 29,
    effGetInputProperties = 33,
    effGetOutputProperties = 34,
    effGetPlugCategory = 35,
    effProcessVarIo = 41,
    effSetSpeakerArrangement = 42,
    effSetBypass = 44,
    effGetEffectName = 45,
    effGetVendorString = 47,
    effGetProductString = 48,
    effGetVendorVersion = 49,
    effVendorSpecific = 50,
    effCanDo = 51,
    effGetTailSize = 52,
    effIdle = 53,
    effGetParameterProperties = 56,
    effGetVstVersion = 58,
    effGetMidiKeyName = 66,
    effGetSpeakerArrangement = 69,
    effStartProcess = 71,
    effStopProcess = 72,
    effSetProcessPrecision = 77,
};

// Plug-in to host, through the host callback.
enum HostOpcode : VstInt32 {
    audioMasterAutomate = 0,
    audioMasterVersion = 1,
    audioMasterIdle = 3,
    audioMasterWantMidi = 6,
    audioMasterGetTime = 7,
    audioMasterProcessEvents = 8,
    audioMasterIOChanged = 13,
    audioMasterSizeWindow = 15,
    audioMasterGetSampleRate = 16,
    audioMasterGetBlockSize = 17,
    audioMasterGetCurrentProcessLevel = 23,
    audioMasterGetVendorString = 32,
    audioMasterGetProductString = 33,
    audioMasterGetVendorVersion = 34,
    audioMasterCanDo = 37,
    audioMasterUpdateDisplay = 42,
    audioMasterBeginEdit = 43,
    audioMasterEndEdit = 44,
};

enum PlugCategory : VstInt32 {
    kPlugCategUnknown = 0,
    kPlugCategEffect = 1,
    kPlugCategSynth = 2,
};

enum ProcessLevel : VstInt32 {
    kVstProcessLevelUnknown = 0,
    kVstProcessLevelUser = 1,
    kVstProcessLevelRealtime = 2,
    kVstProcessLevelPrefetch = 3,
    kVstProcessLevelOffline = 4,
};

// The buffer sizes, terminator included, the interface gives each text a plug-in writes.
constexpr int kVstMaxParamStrLen = 8;
constexpr int kVstMaxProgNameLen = 24;
constexpr int kVstMaxEffectNameLen = 32;
constexpr int kVstMaxVendorStrLen = 64;
constexpr int kVstMaxProductStrLen = 64;
constexpr int kVstMaxNameLen = 64;
constexpr int kVstMaxLabelLen = 64;
constexpr int kVstMaxShortLabelLen = 8;
constexpr int kVstMaxCategLabelLen = 24;

}  // namespace vst2
