// Parameter state and presets of IEffectBase.
#include "core/IEffectBase.h"

#include "core/BoundedText.h"

#include <cstdio>
#include <cstring>

namespace {

const char kUserPreset[] = "user preset";

} // namespace

bool IEffectBase::SerializeParams(IChunkBuffer* chunk)
{
  PlugMutexLock lock(mMutex);
  if (!chunk) return false;
  for (int i = 0; i < ParamCount(); ++i) {
    if (!chunk->PutDouble(Param(i)->Value())) return false;
  }
  return true;
}

int IEffectBase::UnserializeParams(const IChunkBuffer* chunk, int startPos)
{
  PlugMutexLock lock(mMutex);
  int pos = chunk ? startPos : -1;
  for (int i = 0; i < ParamCount() && pos >= 0; ++i) {
    double value;
    pos = chunk->GetDouble(pos, &value);
    Param(i)->SetValue(value);
  }
  for (int i = 0; i < ParamCount(); ++i) ParameterChanged(i, true);
  return pos;
}

const char* IEffectBase::PresetName(int index) const
{
  const IPresetSlot* slot = mPresets.At(index);
  return slot ? slot->presetName : "";
}

void IEffectBase::ModifyCurrentPreset(const char* name)
{
  IPresetSlot* slot = mPresets.At(mCurrentPreset);
  if (!slot) return;
  slot->state.Clear();
  StoreState(&slot->state);
  if (name && name[0]) CopyBounded(slot->presetName, name);
}

bool IEffectBase::RecallPreset(int index)
{
  IPresetSlot* slot = mPresets.At(index);
  if (!slot) return false;

  bool ok;
  if (slot->initialised) {
    ok = RestoreState(&slot->state, 0) > 0;
  } else {
    // A never-used slot becomes a numbered user preset holding the current state.
    slot->initialised = true;
    int userPresets = 0;
    for (int i = 0; i < PresetCount(); ++i) {
      if (std::strstr(mPresets.At(i)->presetName, kUserPreset)) ++userPresets;
    }
    std::snprintf(slot->presetName, sizeof slot->presetName, "%s %d", kUserPreset, userPresets + 1);
    // An uninitialised slot may still hold an old state (a bank can clear the flag); start afresh.
    slot->state.Clear();
    ok = StoreState(&slot->state);
  }
  if (ok) {
    mCurrentPreset = index;
    PresetChanged();
    PushParamsToEditor();
  }
  return ok;
}

void IEffectBase::MakeDefaultPresets(const char* name, int count)
{
  for (int n = 0; n < count; ++n) {
    IPresetSlot* slot = nullptr;
    for (int i = 0; i < PresetCount() && !slot; ++i) {
      if (!mPresets.At(i)->initialised) slot = mPresets.At(i);
    }
    if (!slot) return;
    slot->initialised = true;
    CopyBounded(slot->presetName, name ? name : "Empty");
    slot->state.Clear();
    StoreState(&slot->state);
  }
}

bool IEffectBase::SerializePresets(IChunkBuffer* chunk)
{
  if (!chunk) return false;
  bool ok = true;
  for (int i = 0; i < PresetCount() && ok; ++i) {
    const IPresetSlot* slot = mPresets.At(i);
    ok = chunk->PutString(slot->presetName) && chunk->PutByte(slot->initialised ? 1 : 0);
    if (ok && slot->initialised) ok = chunk->PutBytes(slot->state.Bytes(), slot->state.Size());
  }
  return ok;
}

// Each slot: a 4-byte name length, the name, a flag byte and, when the flag is set, a parameter
// state. A slot with an empty name takes the name of the slot before it.
int IEffectBase::UnserializePresets(const IChunkBuffer* chunk, int startPos)
{
  if (!chunk) return -1;
  char name[sizeof(IPresetSlot::presetName)] = "";
  int pos = startPos;
  for (int i = 0; i < PresetCount() && pos >= 0; ++i) {
    IPresetSlot* slot = mPresets.At(i);
    int32_t length = 0;
    const int nameStart = chunk->GetInt32(pos, &length);
    // The flag's position. A negative length would point back into the record, a huge one past the
    // end: both count as unreadable. 64-bit so that no length can wrap the sum.
    int64_t flagPos = -1;
    if (nameStart >= 0 && length >= 0) {
      flagPos = int64_t{nameStart} + length;
      if (flagPos <= chunk->Size() && length > 0) {
        const int kept = length < static_cast<int32_t>(sizeof name) ? length : static_cast<int>(sizeof name) - 1;
        chunk->GetBytes(nameStart, name, kept);
        name[kept] = '\0';
      }
    }
    CopyBounded(slot->presetName, name);

    uint8_t flag = 0;
    pos = flagPos >= 0 && flagPos < chunk->Size() ? chunk->GetByte(static_cast<int>(flagPos), &flag) : -1;
    if (pos < 0) break;
    slot->initialised = flag != 0;
    if (slot->initialised) {
      pos = RestoreState(chunk, pos);
      if (pos > 0) {
        // The slot keeps a fresh copy of what was just applied.
        slot->state.Clear();
        StoreState(&slot->state);
      } else if (slot->state.Size() == 0) {
        // A cut-off state and nothing stored before: a slot flagged as holding a state it lacks would
        // be written into a bank that can never be read back.
        slot->initialised = false;
      }
    }
  }
  RecallPreset(mCurrentPreset);
  return pos;
}
