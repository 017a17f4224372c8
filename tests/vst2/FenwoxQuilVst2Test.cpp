// The FenwoxQuil VST2 library through its record and dispatcher, as hosts see it: the record's
// fields, the answers of the opcodes, texts bounded by the host buffer sizes, programs and chunks.
#include "FenwoxQuilVst2Fixture.h"

#include "adapters/vst2/Vst2EditorWindow.h"

#include <cmath>
#include <cstring>

using namespace vst2;
using namespace quilhost;
using namespace fenwoxquil_vst2_test;

namespace {

// Parameter 1 ("Time", 1 to 100) as the normalised value a host sends.
float timeValue(double plain) { return static_cast<float>((plain - 1.0) / 99.0); }

std::vector<std::uint8_t> chunk(Vst2Plugin& plugin, int index) {
    void* data = nullptr;
    const VstIntPtr size = plugin.dispatch(effGetChunk, index, 0, &data);
    if (size <= 0 || !data) return {};
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    return std::vector<std::uint8_t>(bytes, bytes + size);
}

VstIntPtr setChunk(Vst2Plugin& plugin, int index, std::vector<std::uint8_t> bytes) {
    return plugin.dispatch(effSetChunk, index, static_cast<VstIntPtr>(bytes.size()), bytes.data());
}

} // namespace

TEST_F(FenwoxQuilVst2, RecordAsConstructed) {
    const AEffect& e = *effect();
    EXPECT_EQ(e.magic, 0x56737450);
    EXPECT_EQ(e.numPrograms, 1);
    EXPECT_EQ(e.numParams, 9);
    EXPECT_EQ(e.numInputs, 2);
    EXPECT_EQ(e.numOutputs, 2);
    // The editor is attached during construction; hosts hear of it only where a window host exists.
    EXPECT_EQ(e.flags, QUIL_VST2_EDITOR_WINDOW ? 0x1019 : 0x1018);
    EXPECT_EQ(e.initialDelay, 0);
    EXPECT_EQ(e.ioRatio, 1.0f);
    EXPECT_EQ(e.uniqueID, 0x5175696C);  // 'Quil'
    EXPECT_EQ(e.version, 10003);
    EXPECT_NE(e.object, nullptr);
    EXPECT_TRUE(e.process && e.processReplacing && e.processDoubleReplacing && e.setParameter && e.getParameter);
    const char zeros[sizeof e.future] = {};
    EXPECT_EQ(std::memcmp(e.future, zeros, sizeof zeros), 0);
}

// Hosts look for either name, undecorated; older ones only for main.
TEST_F(FenwoxQuilVst2, BothEntryNamesAreExported) {
    void* library = loadLibraryFile(QUIL_FENWOXQUIL_VST2_LIBRARY, error);
    ASSERT_NE(library, nullptr) << error;
    void* entry = librarySymbol(library, "VSTPluginMain");
    EXPECT_NE(entry, nullptr);
    EXPECT_EQ(librarySymbol(library, "main"), entry);
    EXPECT_EQ(librarySymbol(library, "GetPluginFactory"), nullptr);
    unloadLibraryFile(library);
    EXPECT_TRUE(isVst2Library(QUIL_FENWOXQUIL_VST2_LIBRARY));
    EXPECT_FALSE(isVst2Library(QUIL_FENWOXQUIL_VST3_BUNDLE));
}

TEST_F(FenwoxQuilVst2, OpcodeAnswers) {
    const struct {
        VstInt32 opcode, index;
        VstIntPtr value, expected;
    } cases[] = {
        {effGetProgram, 0, 0, 0},
        {effIdentify, 0, 0, 0x4E764566},
        {effCanBeAutomated, 4, 0, 1},
        {effGetPlugCategory, 0, 0, 1},
        {effProcessVarIo, 0, 0, 0},
        {effGetVendorVersion, 0, 0, 10003},
        {effGetTailSize, 0, 0, 0},
        {effGetVstVersion, 0, 0, 2400},
        {effVendorSpecific, 8, 0, 0xBEEF},  // "Delay range" is a choice
        {effVendorSpecific, 8, 1, 0},       // "Time" is continuous
        {effVendorSpecific, 8, 99, 0},
        {effVendorSpecific, 3, 0, 0},
        {effSetBypass, 0, 1, 0},
        {effEditIdle, 0, 0, 0},
        {effIdle, 0, 0, 0},
        {9999, 0, 0, 0},
        {-1, 0, 0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dispatch(c.opcode, c.index, c.value), c.expected) << "opcode " << c.opcode << " index " << c.index;
}

TEST_F(FenwoxQuilVst2, EditorOpcodesFollowTheWindowHost) {
    ERect* rect = nullptr;
    const VstIntPtr expected = QUIL_VST2_EDITOR_WINDOW ? 1 : 0;
    EXPECT_EQ(dispatch(effEditGetRect, 0, 0, &rect), expected);
    if (QUIL_VST2_EDITOR_WINDOW) {
        ASSERT_NE(rect, nullptr);
        EXPECT_EQ(rect->bottom - rect->top, 460);
        EXPECT_EQ(rect->right - rect->left, 410);
    } else {
        EXPECT_EQ(rect, nullptr);
        EXPECT_EQ(dispatch(effEditOpen, 0, 0, nullptr), 0);
        EXPECT_EQ(dispatch(effEditClose), 0);
    }
    EXPECT_EQ(dispatch(effEditGetRect, 0, 0, nullptr), 0);
}

TEST_F(FenwoxQuilVst2, CanDoIsExactAndCaseSensitive) {
    const struct {
        const char* text;
        VstIntPtr expected;
    } cases[] = {{"receiveVstTimeInfo", 1}, {"receiveVstEvents", 1}, {"receiveVstMidiEvent", 1},
                 {"sendVstEvents", 1},      {"sendVstMidiEvent", 1}, {"ReceiveVstEvents", 0},
                 {"receiveVstEvents ", 0},  {"bypass", 0},           {"", 0}};
    for (const auto& c : cases) EXPECT_EQ(dispatch(effCanDo, 0, 0, const_cast<char*>(c.text)), c.expected) << c.text;
    EXPECT_EQ(dispatch(effCanDo, 0, 0, nullptr), 0);
}

TEST_F(FenwoxQuilVst2, TextsOfNamesAndParameters) {
    const struct {
        VstInt32 opcode, index;
        const char* expected;
    } cases[] = {
        {effGetEffectName, 0, "FenwoxQuil"},
        {effGetVendorString, 0, "Fenwox"},
        {effGetProductString, 0, ""},
        {effGetProgramName, 0, "-"},
        {effGetParamName, kTime, "Time"},
        {effGetParamName, kDelayRange, "Delay r"},  // seven characters and the terminator
        {effGetParamLabel, kTime, "%"},
        {effGetParamLabel, kDelayRange, ""},  // a value text has no unit
        {effGetParamDisplay, kTime, "1"},
        {effGetParamDisplay, kDelayRange, "12.5ms "},
        {effGetParamDisplay, kAnalogSat, "on"},
        {effGetParamDisplay, kSync16th, "off"},
        {effGetParamName, 9, ""},
        {effGetParamDisplay, -1, ""},
        {effGetParamLabel, 1 << 30, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(plugin().text(c.opcode, c.index), c.expected) << "opcode " << c.opcode << " index " << c.index;

    set(kTime, timeValue(42));
    EXPECT_EQ(plugin().text(effGetParamDisplay, kTime), "42");
    EXPECT_EQ(plugin().parameters()[kEffectLevel].title, "Effect Level") << "the long name for hosts that ask";
}

// Whatever the text, the plug-in writes no further than the buffer size the interface gives.
TEST_F(FenwoxQuilVst2, TextCopiesStayInsideTheHostBuffer) {
    const std::string longName(60, 'n');
    dispatch(effSetProgramName, 0, 0, const_cast<char*>(longName.c_str()));
    const struct {
        VstInt32 opcode, index;
        std::size_t size;
    } cases[] = {{effGetParamName, kEffectActive, 8},      {effGetParamDisplay, kDelayRange, 8},
                 {effGetProgramName, 0, 24},               {effGetProgramNameIndexed, 0, 24},
                 {effGetEffectName, 0, 32},                {effGetVendorString, 0, 64}};
    for (const auto& c : cases) {
        char buffer[128];
        std::memset(buffer, '#', sizeof buffer);
        dispatch(c.opcode, c.index, 0, buffer);
        const std::size_t length = strnlen(buffer, sizeof buffer);
        EXPECT_LT(length, c.size) << "opcode " << c.opcode;
        for (std::size_t i = length + 1; i < sizeof buffer; ++i)
            ASSERT_EQ(buffer[i], '#') << "opcode " << c.opcode << " wrote byte " << i;
    }
    EXPECT_EQ(plugin().text(effGetProgramName), std::string(23, 'n'));
}

TEST_F(FenwoxQuilVst2, ProgramNames) {
    char name[] = "Slap back";
    EXPECT_EQ(dispatch(effSetProgramName, 0, 0, name), 0);
    EXPECT_EQ(plugin().text(effGetProgramName), "Slap back");
    char indexed[24] = {};
    EXPECT_EQ(dispatch(effGetProgramNameIndexed, 0, 0, indexed), 1);
    EXPECT_STREQ(indexed, "Slap back");
    EXPECT_EQ(dispatch(effGetProgramNameIndexed, 1, 0, indexed), 0);
    EXPECT_STREQ(indexed, "");
    EXPECT_EQ(dispatch(effGetProgramNameIndexed, -1, 0, indexed), 0);
    EXPECT_EQ(dispatch(effGetProgramNameIndexed, 0, 0, nullptr), 0);
    EXPECT_EQ(dispatch(effSetProgramName, 0, 0, nullptr), 0);
    EXPECT_EQ(plugin().text(effGetProgramName), "Slap back");
}

// Hosts without chunks switch programs with effSetProgram: the current state is kept in the current
// program first, so selecting it again does not throw the listener's changes away.
TEST_F(FenwoxQuilVst2, SetProgramSavesTheCurrentStateFirst) {
    set(kTime, timeValue(42));
    EXPECT_EQ(dispatch(effSetProgram, 0, 0), 0);
    EXPECT_EQ(plugin().text(effGetParamDisplay, kTime), "42");
    for (VstIntPtr outside : {VstIntPtr{1}, VstIntPtr{-1}, VstIntPtr{1} << 20}) {
        EXPECT_EQ(dispatch(effSetProgram, 0, outside), 0);
        EXPECT_EQ(dispatch(effGetProgram), 0);
    }
    EXPECT_EQ(plugin().text(effGetParamDisplay, kTime), "42");
}

TEST_F(FenwoxQuilVst2, StringToParameter) {
    char hold[] = "hold", capitalised[] = "Hold", fortyTwo[] = "42", tooMuch[] = "250";
    EXPECT_EQ(dispatch(effString2Parameter, kDelayRange, 0, hold), 1);
    EXPECT_EQ(plugin().text(effGetParamDisplay, kDelayRange), "hold");
    EXPECT_EQ(dispatch(effString2Parameter, kDelayRange, 0, capitalised), 0);
    EXPECT_EQ(plugin().text(effGetParamDisplay, kDelayRange), "hold");
    EXPECT_EQ(dispatch(effString2Parameter, kTime, 0, fortyTwo), 1);
    EXPECT_EQ(plugin().text(effGetParamDisplay, kTime), "42");
    EXPECT_EQ(dispatch(effString2Parameter, kFeedback, 0, tooMuch), 1);
    EXPECT_EQ(get(kFeedback), 1.0f) << "clamped into the range";
    EXPECT_EQ(dispatch(effString2Parameter, kTime, 0, nullptr), 1);
    EXPECT_EQ(dispatch(effString2Parameter, 9, 0, fortyTwo), 0);
    EXPECT_EQ(dispatch(effString2Parameter, -3, 0, fortyTwo), 0);
}

TEST_F(FenwoxQuilVst2, ParametersOutsideTheListAreIgnored) {
    for (int index : {-1, 9, 1 << 30}) {
        set(index, 0.5f);
        EXPECT_EQ(get(index), 0.0f);
    }
    set(kFeedback, 0.5f);
    EXPECT_EQ(get(kFeedback), 0.5f);
    set(kFeedback, std::nanf(""));
    EXPECT_EQ(get(kFeedback), 0.5f) << "a NaN from the host changes nothing";
}

TEST_F(FenwoxQuilVst2, PinProperties) {
    const struct {
        VstInt32 opcode, index;
        VstIntPtr answer;
        VstInt32 flags;
        const char* label;
    } cases[] = {{effGetInputProperties, 0, 1, 3, "Input 1"},   {effGetInputProperties, 1, 1, 1, "Input 2"},
                 {effGetOutputProperties, 0, 1, 3, "Output 1"}, {effGetOutputProperties, 1, 1, 1, "Output 2"},
                 {effGetInputProperties, 2, 0, 0, ""},          {effGetOutputProperties, -1, 0, 0, ""}};
    for (const auto& c : cases) {
        VstPinProperties pin{};
        EXPECT_EQ(dispatch(c.opcode, c.index, 0, &pin), c.answer) << c.index;
        EXPECT_EQ(pin.flags, c.flags) << c.index;
        EXPECT_STREQ(pin.label, c.label);
    }
    EXPECT_EQ(dispatch(effGetInputProperties, 0, 0, nullptr), 0);
}

TEST_F(FenwoxQuilVst2, SpeakerArrangements) {
    VstSpeakerArrangement* inputs = nullptr;
    VstSpeakerArrangement* outputs = nullptr;
    EXPECT_EQ(dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&inputs), &outputs), 1);
    ASSERT_TRUE(inputs && outputs);
    EXPECT_EQ(inputs->type, kSpeakerArrStereo);
    EXPECT_EQ(inputs->numChannels, 2);
    EXPECT_EQ(outputs->numChannels, 2);
    EXPECT_EQ(dispatch(effGetSpeakerArrangement), 1);
}

TEST_F(FenwoxQuilVst2, ChunkSizesAndRoundTrips) {
    const std::vector<std::uint8_t> program = chunk(plugin(), 1);
    ASSERT_EQ(program.size(), 80u);
    EXPECT_EQ(std::string(program.begin(), program.begin() + 4), "tffp");
    EXPECT_EQ(chunk(plugin(), 0).size(), 86u) << "one program named \"-\"";

    // Program: values come back, and go into the current program.
    set(kTime, timeValue(42));
    const std::vector<std::uint8_t> at42 = chunk(plugin(), 1);
    set(kTime, timeValue(7));
    EXPECT_EQ(setChunk(plugin(), 1, at42), 1);
    EXPECT_EQ(plugin().text(effGetParamDisplay, kTime), "42");
    set(kTime, timeValue(7));
    dispatch(effSetProgram, 0, 0);
    EXPECT_EQ(plugin().text(effGetParamDisplay, kTime), "7") << "effSetProgram keeps the current state";

    // Bank: names and values.
    char name[] = "Long echoes";
    dispatch(effSetProgramName, 0, 0, name);
    set(kFeedback, 0.6f);
    const std::vector<std::uint8_t> bank = chunk(plugin(), 0);
    EXPECT_EQ(bank.size(), 8u + 4u + 11u + 1u + 72u);
    char other[] = "x";
    dispatch(effSetProgramName, 0, 0, other);
    set(kFeedback, 0.1f);
    EXPECT_EQ(setChunk(plugin(), 0, bank), 1);
    EXPECT_EQ(plugin().text(effGetProgramName), "Long echoes");
    EXPECT_FLOAT_EQ(get(kFeedback), 0.6f);
}

TEST_F(FenwoxQuilVst2, BadChunksAreRefused) {
    std::vector<std::uint8_t> program = chunk(plugin(), 1);
    ASSERT_EQ(program.size(), 80u);
    program.resize(40);
    EXPECT_EQ(setChunk(plugin(), 1, program), 0) << "truncated";
    EXPECT_EQ(dispatch(effSetChunk, 1, 80, nullptr), 0);
    EXPECT_EQ(dispatch(effSetChunk, 1, -5, program.data()), 0);
    EXPECT_EQ(dispatch(effGetChunk, 0, 0, nullptr), 0);

    // A bank without the header is one parameter state.
    std::vector<std::uint8_t> bare(72, 0);
    const double time = 33.0;
    std::memcpy(bare.data() + 8, &time, sizeof time);
    EXPECT_EQ(setChunk(plugin(), 0, bare), 1);
    EXPECT_EQ(plugin().text(effGetParamDisplay, kTime), "33");
}

// Hosts set up in any order and toggle the mains freely.
TEST_F(FenwoxQuilVst2, SetupOpcodesInAnyOrder) {
    EXPECT_EQ(dispatch(effSetBlockSize, 0, 0), 0);
    EXPECT_EQ(dispatch(effSetBlockSize, 0, -1), 0);
    EXPECT_EQ(dispatch(effSetBlockSize, 0, VstIntPtr{1} << 30), 0);
    EXPECT_EQ(dispatch(effSetSampleRate, 0, 0, nullptr, std::nanf("")), 0);
    EXPECT_EQ(dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f), 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(dispatch(effMainsChanged, 0, 1), 0);
        EXPECT_EQ(dispatch(effMainsChanged, 0, 0), 0);
    }
    EXPECT_EQ(dispatch(effOpen), 0) << "a second effOpen";
}
