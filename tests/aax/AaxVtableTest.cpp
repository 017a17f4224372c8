// Slot numbers of our interface declarations against the host's binary layout. A pointer to a
// virtual member function holds 1 + the slot's byte offset in its first word (the ABI both GCC
// targets use), so the slot each declaration ends up in can be read back and compared.
#include "adapters/aax/support/AaxPluginInterfaces.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace aax;

namespace {

template <class MemberPointer>
long slotOf(MemberPointer method) {
    static_assert(sizeof(MemberPointer) == 2 * sizeof(void*), "pointer to member function of two words");
    std::uintptr_t words[2];
    std::memcpy(words, &method, sizeof words);
    EXPECT_EQ(words[0] % 2, 1u) << "not a virtual function";
    return static_cast<long>((words[0] - 1) / sizeof(void*));
}

struct Slot {
    const char* method;
    long declared;
    long expected;
};

void expectSlots(const std::vector<Slot>& slots) {
    for (const Slot& slot : slots) EXPECT_EQ(slot.declared, slot.expected) << slot.method;
}

#define SLOT(Interface, Method, expected) Slot{#Interface "::" #Method, slotOf(&Interface::Method), expected}

} // namespace

TEST(AaxVtable, ComponentFrameworkInterfaces) {
    expectSlots({
        SLOT(IACFUnknown, QueryInterface, 0), SLOT(IACFUnknown, AddRef, 1), SLOT(IACFUnknown, Release, 2),
        SLOT(IACFDefinition, CopyAttribute, 5), SLOT(IACFPluginDefinition, InitializePlugin, 6),
        SLOT(IACFComponentFactory, CreateComponent, 3), SLOT(IACFComponentFactory, EnumDefinitions, 7),
    });
}

TEST(AaxVtable, DescriptionInterfaces) {
    expectSlots({
        SLOT(AAX_IACFCollection, AddEffect, 7), SLOT(AAX_IACFCollection, SetManufacturerName, 8),
        SLOT(AAX_IACFCollection, AddPackageName, 9), SLOT(AAX_IACFCollection, SetPackageVersion, 10),
        SLOT(AAX_IACFCollection, SetProperties, 11),
        SLOT(AAX_IACFEffectDescriptor, AddComponent, 3), SLOT(AAX_IACFEffectDescriptor, AddName, 4),
        SLOT(AAX_IACFEffectDescriptor, AddCategory, 5), SLOT(AAX_IACFEffectDescriptor, AddProcPtr, 7),
        SLOT(AAX_IACFEffectDescriptor, AddMeterDescription, 10),
        SLOT(AAX_IACFComponentDescriptor, AddAudioIn, 5), SLOT(AAX_IACFComponentDescriptor, AddAudioOut, 6),
        SLOT(AAX_IACFComponentDescriptor, AddAudioBufferLength, 7),
        SLOT(AAX_IACFComponentDescriptor, AddAuxOutputStem, 12),
        SLOT(AAX_IACFComponentDescriptor, AddPrivateData, 13), SLOT(AAX_IACFComponentDescriptor, AddMIDINode, 15),
        SLOT(AAX_IACFComponentDescriptor, AddProcessProc_Native, 16),
        SLOT(AAX_IACFComponentDescriptor, AddMeters, 18),
        SLOT(AAX_IACFPropertyMap, GetProperty, 3), SLOT(AAX_IACFPropertyMap, AddProperty, 4),
        SLOT(AAX_IACFPropertyMap, RemoveProperty, 5),
    });
}

TEST(AaxVtable, RuntimeHostInterfaces) {
    expectSlots({
        SLOT(AAX_IACFController, GetSampleRate, 4), SLOT(AAX_IACFController, GetInputStemFormat, 5),
        SLOT(AAX_IACFController, GetOutputStemFormat, 6), SLOT(AAX_IACFController, SetSignalLatency, 10),
        SLOT(AAX_IACFController, GetNextMIDIPacket, 19),
        SLOT(AAX_IACFAutomationDelegate, RegisterParameter, 3),
        SLOT(AAX_IACFAutomationDelegate, PostSetValueRequest, 5),
        SLOT(AAX_IACFAutomationDelegate, PostTouchRequest, 7),
        SLOT(AAX_IACFAutomationDelegate, PostReleaseRequest, 8),
        SLOT(AAX_IACFViewContainer, GetPtr, 4), SLOT(AAX_IACFViewContainer, SetViewSize, 6),
        SLOT(AAX_IACFViewContainer, HandleParameterMouseUp, 9),
        SLOT(AAX_IACFHostServices, Trace, 4),
    });
}

// The objects an MSVC-built host makes with a virtual destructor: one slot for it, and the two
// assignment overloads of the string in reverse order.
TEST(AaxVtable, MsvcLaidOutHostObjects) {
    expectSlots({
        SLOT(AAX_IString, Length, 1), SLOT(AAX_IString, MaxLength, 2), SLOT(AAX_IString, Get, 3),
        SLOT(AAX_IString, Set, 4), SLOT(AAX_IString, AssignText, 5), SLOT(AAX_IString, AssignString, 6),
        SLOT(AAX_IMIDINode, GetNodeBuffer, 1), SLOT(AAX_IMIDINode, PostMIDIPacket, 2),
        SLOT(AAX_IMIDINode, GetTransport, 3),
        SLOT(AAX_ITransport, GetCurrentTempo, 1), SLOT(AAX_ITransport, GetCurrentMeter, 2),
        SLOT(AAX_ITransport, IsTransportPlaying, 3), SLOT(AAX_ITransport, GetCurrentTickPosition, 4),
        SLOT(AAX_ITransport, GetCurrentLoopPosition, 5), SLOT(AAX_ITransport, GetCurrentNativeSampleLocation, 6),
        SLOT(AAX_ITransport, GetCurrentTicksPerBeat, 10),
    });
}

TEST(AaxVtable, EffectParametersInEveryVersion) {
    using P = AAX_IACFEffectParameters_V4;
    expectSlots({
        SLOT(P, Initialize, 3), SLOT(P, Uninitialize, 4), SLOT(P, NotificationReceived, 5),
        SLOT(P, GetNumberOfParameters, 6), SLOT(P, GetMasterBypassParameter, 7),
        SLOT(P, GetParameterIsAutomatable, 8), SLOT(P, GetParameterNumberOfSteps, 9), SLOT(P, GetParameterName, 10),
        SLOT(P, GetParameterNameOfLength, 11), SLOT(P, GetParameterDefaultNormalizedValue, 12),
        SLOT(P, SetParameterDefaultNormalizedValue, 13), SLOT(P, GetParameterType, 14),
        SLOT(P, GetParameterOrientation, 15), SLOT(P, GetParameter, 16), SLOT(P, GetParameterIndex, 17),
        SLOT(P, GetParameterIDFromIndex, 18), SLOT(P, GetParameterValueInfo, 19),
        SLOT(P, GetParameterValueFromString, 20), SLOT(P, GetParameterStringFromValue, 21),
        SLOT(P, GetParameterValueString, 22), SLOT(P, GetParameterNormalizedValue, 23),
        SLOT(P, SetParameterNormalizedValue, 24), SLOT(P, SetParameterNormalizedRelative, 25),
        SLOT(P, TouchParameter, 26), SLOT(P, ReleaseParameter, 27), SLOT(P, UpdateParameterTouch, 28),
        SLOT(P, UpdateParameterNormalizedValue, 29), SLOT(P, UpdateParameterNormalizedRelative, 30),
        SLOT(P, GenerateCoefficients, 31), SLOT(P, ResetFieldData, 32), SLOT(P, GetNumberOfChunks, 33),
        SLOT(P, GetChunkIDFromIndex, 34), SLOT(P, GetChunkSize, 35), SLOT(P, GetChunk, 36), SLOT(P, SetChunk, 37),
        SLOT(P, CompareActiveChunk, 38), SLOT(P, GetNumberOfChanges, 39), SLOT(P, TimerWakeup, 40),
        SLOT(P, GetCurveData, 41), SLOT(P, GetCustomData, 42), SLOT(P, SetCustomData, 43),
        SLOT(P, DoMIDITransfers, 44), SLOT(P, RenderAudio_Hybrid, 45), SLOT(P, UpdateMIDINodes, 46),
        SLOT(P, UpdateControlMIDINodes, 47), SLOT(P, GetCurveDataMeterIds, 48),
        SLOT(P, GetCurveDataDisplayRange, 49), SLOT(P, UpdatePageTable, 50),
    });
}

TEST(AaxVtable, EffectGui) {
    using G = AAX_IACFEffectGUI_V2;
    expectSlots({
        SLOT(G, Initialize, 3), SLOT(G, Uninitialize, 4), SLOT(G, NotificationReceived, 5),
        SLOT(G, SetViewContainer, 6), SLOT(G, GetViewSize, 7), SLOT(G, Draw, 8), SLOT(G, TimerWakeup, 9),
        SLOT(G, ParameterUpdated, 10), SLOT(G, GetCustomLabel, 11), SLOT(G, SetControlHighlightInfo, 12),
        SLOT(G, GetMinimumViewSize, 13),
    });
}

// Identifiers are Windows GUIDs: Data1..Data3 little-endian in memory, then the eight bytes.
TEST(AaxVtable, IdentifierMemoryBytes) {
    const unsigned char expected[16] = {0x3D, 0x33, 0x4E, 0x96, 0x4C, 0x33, 0x3F, 0x53,
                                        0xC2, 0xC7, 0x38, 0x34, 0xC3, 0xC2, 0x3E, 0x3E};
    EXPECT_EQ(std::memcmp(&IID_IAAXEffectParametersV1, expected, 16), 0);
    EXPECT_EQ(fourCharCode("none"), 0x6E6F6E65u);
    EXPECT_EQ(kSdkVersion, 0x0000020901345D68ull);
}
