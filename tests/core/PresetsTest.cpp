#include "core/ProgramChunks.h"
#include "tests/core/RecordingEffect.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

void SetValues(IEffectBase& plug, double first)
{
  for (int i = 0; i < plug.ParamCount(); ++i) plug.Param(i)->SetValue(first + i * 0.5);
}

std::vector<uint8_t> BytesOf(const IChunkBuffer& chunk)
{
  return std::vector<uint8_t>(chunk.Bytes(), chunk.Bytes() + chunk.Size());
}

std::vector<double> Values(const IEffectBase& plug)
{
  std::vector<double> values;
  for (int i = 0; i < plug.ParamCount(); ++i) values.push_back(plug.Param(i)->Value());
  return values;
}

} // namespace

TEST(ParamState, OneDoublePerParameterInIndexOrder)
{
  RecordingEffect plug;
  SetValues(plug, 1.0);
  IChunkBuffer chunk;
  ASSERT_TRUE(plug.SerializeParams(&chunk));
  ASSERT_EQ(chunk.Size(), 72);

  RecordingEffect other;
  EXPECT_EQ(other.UnserializeParams(&chunk, 0), 72);
  EXPECT_EQ(Values(other), Values(plug));
  ASSERT_EQ(other.changes.size(), 9u);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(other.changes[i], std::make_pair(i, true));
}

TEST(ParamState, ShortStateRestoresWhatItHolds)
{
  RecordingEffect plug;
  plug.Param(5)->DefineRange("floor", 1.0, 0.5, 2.0, 0.5);
  SetValues(plug, 3.0);
  IChunkBuffer chunk;
  for (double v : {1.0, 2.0, 2.25, 99.0, -4.0}) chunk.PutDouble(v);
  ASSERT_EQ(chunk.Size(), 40);

  EXPECT_EQ(plug.UnserializeParams(&chunk, 0), -1);
  const std::vector<double> values = Values(plug);
  EXPECT_EQ(values, (std::vector<double>{1.0, 2.0, 2.25, 10.0, 0.0, 0.5, 6.0, 6.5, 7.0}));
  EXPECT_EQ(plug.changes.size(), 9u);
}

TEST(Presets, RecallOfANeverUsedSlotMakesANumberedUserPreset)
{
  RecordingEffect plug(4);
  plug.MakeDefaultPresets("-", 1);
  SetValues(plug, 2.0);
  const std::vector<double> before = Values(plug);

  ASSERT_TRUE(plug.RecallPreset(2));
  EXPECT_STREQ(plug.PresetName(2), "user preset 1");
  EXPECT_EQ(plug.CurrentPreset(), 2);
  EXPECT_EQ(plug.presetChanges, 1);
  EXPECT_EQ(Values(plug), before);
  EXPECT_TRUE(plug.changes.empty());

  ASSERT_TRUE(plug.RecallPreset(1));
  EXPECT_STREQ(plug.PresetName(1), "user preset 2");
  ASSERT_TRUE(plug.RecallPreset(3));
  EXPECT_STREQ(plug.PresetName(3), "user preset 3");

  EXPECT_FALSE(plug.RecallPreset(4));
  EXPECT_FALSE(plug.RecallPreset(-1));
  EXPECT_EQ(plug.CurrentPreset(), 3);
}

TEST(Presets, RecallRestoresAStoredSlot)
{
  RecordingEffect plug(2);
  SetValues(plug, 1.0);
  plug.MakeDefaultPresets("first", 1);
  SetValues(plug, 4.0);
  plug.MakeDefaultPresets(nullptr, 5); // fills the one slot left
  EXPECT_STREQ(plug.PresetName(1), "Empty");

  ASSERT_TRUE(plug.RecallPreset(0));
  EXPECT_EQ(plug.Param(0)->Value(), 1.0);
  ASSERT_TRUE(plug.RecallPreset(1));
  EXPECT_EQ(plug.Param(0)->Value(), 4.0);
}

TEST(Presets, ModifyCurrentPresetStoresAndRenames)
{
  RecordingEffect plug(2);
  plug.MakeDefaultPresets("-", 2);
  SetValues(plug, 3.0);
  plug.ModifyCurrentPreset(nullptr);
  EXPECT_STREQ(plug.PresetName(0), "-");
  plug.ModifyCurrentPreset("Slapback");
  EXPECT_STREQ(plug.PresetName(0), "Slapback");
  SetValues(plug, 0.0);
  ASSERT_TRUE(plug.RecallPreset(0));
  EXPECT_EQ(plug.Param(8)->Value(), 7.0);
}

TEST(Presets, BankRoundTrip)
{
  RecordingEffect plug(3);
  SetValues(plug, 1.0);
  plug.MakeDefaultPresets("Short", 1);
  SetValues(plug, 2.0);
  plug.MakeDefaultPresets("", 1); // an empty name: read back, it takes the name before it
  IChunkBuffer chunk;
  ASSERT_TRUE(plug.SerializePresets(&chunk));
  EXPECT_EQ(chunk.Size(), (4 + 5 + 1 + 72) + (4 + 0 + 1 + 72) + (4 + 5 + 1));

  RecordingEffect other(3);
  EXPECT_EQ(other.UnserializePresets(&chunk, 0), chunk.Size());
  EXPECT_STREQ(other.PresetName(0), "Short");
  EXPECT_STREQ(other.PresetName(1), "Short");
  EXPECT_STREQ(other.PresetName(2), "empty");
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(other.Preset(i)->initialised, plug.Preset(i)->initialised);
    EXPECT_EQ(BytesOf(other.Preset(i)->state), BytesOf(plug.Preset(i)->state));
  }
  // The read ends by recalling the current preset, slot 0.
  EXPECT_EQ(other.Param(0)->Value(), 1.0);
}

TEST(Presets, MalformedNameLengthsStopTheRead)
{
  const struct
  {
    int32_t nameLength;
    const char* why;
  } cases[] = {{-3, "negative"}, {-13, "negative, pointing back at the flag"}, {INT_MAX, "past 32 bits"},
               {200, "past the end"}};
  for (const auto& c : cases) {
    RecordingEffect plug(2);
    SetValues(plug, 1.0);
    plug.MakeDefaultPresets("kept", 2);
    IChunkBuffer first;
    SetValues(plug, 3.0);
    plug.SerializeParams(&first);

    IChunkBuffer chunk;
    chunk.PutString("first");
    chunk.PutByte(1);
    chunk.PutBytes(first.Bytes(), first.Size());
    chunk.PutInt32(c.nameLength);
    for (int i = 0; i < 12; ++i) chunk.PutByte(1);

    SetValues(plug, 0.0);
    EXPECT_EQ(plug.UnserializePresets(&chunk, 0), -1) << c.why;
    EXPECT_STREQ(plug.PresetName(0), "first");
    EXPECT_EQ(plug.Param(0)->Value(), 3.0) << c.why;
    // Slot 0 applied by the read and again by the closing recall; nothing from the bad record.
    EXPECT_EQ(plug.changes.size(), 18u) << c.why;
    const IPresetSlot* second = plug.Preset(1);
    EXPECT_TRUE(second->initialised) << c.why;
    double kept = 0.0;
    EXPECT_EQ(second->state.GetDouble(0, &kept), 8);
    EXPECT_EQ(kept, 1.0) << c.why;
    EXPECT_EQ(second->state.Size(), 72);
  }
}

TEST(Presets, ACutOffStateLeavesAFreshSlotEmptyAndTheBankReadable)
{
  RecordingEffect plug(2);
  IChunkBuffer state, chunk;
  plug.SerializeParams(&state);
  chunk.PutString("whole");
  chunk.PutByte(1);
  chunk.PutBytes(state.Bytes(), state.Size());
  chunk.PutString("cut");
  chunk.PutByte(1);
  chunk.PutDouble(4.0); // one parameter of nine
  EXPECT_EQ(plug.UnserializePresets(&chunk, 0), -1);
  EXPECT_FALSE(plug.Preset(1)->initialised);

  IChunkBuffer written;
  ASSERT_TRUE(plug.SerializePresets(&written));
  RecordingEffect other(2);
  EXPECT_EQ(other.UnserializePresets(&written, 0), written.Size());
}

TEST(Presets, OverlongNamesAreCut)
{
  RecordingEffect plug(1);
  const std::string name(300, 'n');
  IChunkBuffer state, chunk;
  plug.SerializeParams(&state);
  chunk.PutString(name.c_str());
  chunk.PutByte(1);
  chunk.PutBytes(state.Bytes(), state.Size());
  EXPECT_EQ(plug.UnserializePresets(&chunk, 0), chunk.Size());
  EXPECT_EQ(std::string(plug.PresetName(0)), name.substr(0, 255));
}

TEST(ProgramChunks, SizesOfTheDelaysChunks)
{
  RecordingEffect plug;
  plug.MakeDefaultPresets("-", 1);
  IChunkBuffer program, bank;
  ASSERT_TRUE(WriteProgramChunk(&plug, &program));
  EXPECT_EQ(program.Size(), 80);
  ASSERT_TRUE(WriteBankChunk(&plug, &bank));
  EXPECT_EQ(bank.Size(), 86);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bank.Bytes()) + 8, 6), std::string("\1\0\0\0-\1", 6));
}

TEST(ProgramChunks, RoundTrips)
{
  RecordingEffect plug(2);
  plug.MakeDefaultPresets("-", 1);
  SetValues(plug, 2.0);
  IChunkBuffer program, bank;
  WriteBankChunk(&plug, &bank); // saves the current values into slot 0 first
  SetValues(plug, 0.5);
  WriteProgramChunk(&plug, &program);

  RecordingEffect other(2);
  other.MakeDefaultPresets("-", 1);
  IChunkBuffer into;
  ASSERT_TRUE(ReadBankChunk(&other, &into, bank.Bytes(), bank.Size()));
  EXPECT_EQ(other.Param(0)->Value(), 2.0);
  EXPECT_STREQ(other.PresetName(1), "empty");

  ASSERT_TRUE(ReadProgramChunk(&other, &into, program.Bytes(), program.Size()));
  EXPECT_EQ(Values(other), Values(plug));
  SetValues(other, 0.0);
  other.RecallPreset(other.CurrentPreset()); // the program went into the current preset
  EXPECT_EQ(Values(other), Values(plug));

  // Hosts may hand back the very buffer they were given.
  SetValues(other, 0.0);
  ASSERT_TRUE(ReadProgramChunk(&other, &program, program.Bytes(), program.Size()));
  EXPECT_EQ(Values(other), Values(plug));
  ASSERT_TRUE(ReadProgramChunk(&other, &program, program.Bytes() + 8, 72));
}

TEST(ProgramChunks, BanksWithoutACurrentHeaderAreOneParameterState)
{
  RecordingEffect plug(2);
  plug.MakeDefaultPresets("-", 2);
  IChunkBuffer state;
  SetValues(plug, 3.0);
  plug.SerializeParams(&state);
  SetValues(plug, 0.0);

  IChunkBuffer into;
  ASSERT_TRUE(ReadBankChunk(&plug, &into, state.Bytes(), state.Size()));
  EXPECT_EQ(plug.Param(4)->Value(), 5.0);
  EXPECT_STREQ(plug.PresetName(0), "-");

  IChunkBuffer old;
  old.PutInt32(IChunkBuffer::kHeaderMagic);
  old.PutInt32(0xFFFF);
  old.PutBytes(state.Bytes(), state.Size());
  SetValues(plug, 0.0);
  ASSERT_TRUE(ReadBankChunk(&plug, &into, old.Bytes(), old.Size()));
  EXPECT_EQ(plug.Param(4)->Value(), 5.0);
}

TEST(ProgramChunks, UnreadableChunksReportFailure)
{
  RecordingEffect plug;
  IChunkBuffer program, into;
  WriteProgramChunk(&plug, &program);
  EXPECT_FALSE(ReadProgramChunk(&plug, &into, program.Bytes(), 79));
  EXPECT_FALSE(ReadProgramChunk(&plug, &into, program.Bytes(), -1));
  EXPECT_FALSE(ReadBankChunk(&plug, &into, nullptr, 10));
  EXPECT_FALSE(ReadBankChunk(&plug, &into, program.Bytes(), 4));
}
