// Feeds arbitrary bytes to the program and the bank chunk reader of plug-ins with three presets, then
// writes both chunk kinds back and reads them into a fresh plug-in: nothing may read outside the
// host's bytes, what we write must always read back, and a program chunk must carry every value.
#include "core/ProgramChunks.h"
#include "tests/core/RecordingEffect.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

std::unique_ptr<RecordingEffect> NewPlugin()
{
  auto plugin = std::make_unique<RecordingEffect>(3);
  plugin->MakeDefaultPresets("-", 1);
  return plugin;
}

void CheckWrittenStateReadsBack(RecordingEffect& plugin)
{
  RecordingEffect copy(3);
  IChunkBuffer written, scratch;
  if (!WriteBankChunk(&plugin, &written)) abort();
  if (!ReadBankChunk(&copy, &scratch, written.Bytes(), written.Size())) abort();
  if (!WriteProgramChunk(&plugin, &written)) abort();
  if (!ReadProgramChunk(&copy, &scratch, written.Bytes(), written.Size())) abort();
  for (int i = 0; i < plugin.ParamCount(); ++i)
    if (copy.Param(i)->Value() != plugin.Param(i)->Value()) abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  const int count = static_cast<int>(size);
  IChunkBuffer chunk;

  auto asProgram = NewPlugin();
  ReadProgramChunk(asProgram.get(), &chunk, data, count);
  CheckWrittenStateReadsBack(*asProgram);

  auto asBank = NewPlugin();
  ReadBankChunk(asBank.get(), &chunk, data, count);
  CheckWrittenStateReadsBack(*asBank);
  return 0;
}
