#include "editor/IMenuModel.h"

namespace {
constexpr int kMaxLabel = 1024;
}

IMenuEntry::~IMenuEntry() { delete submenu; }

IMenuModel::~IMenuModel() { items.DeleteAll(true); }

IMenuEntry* IMenuModel::AddItem(const char* text, int32_t flags) {
  IMenuEntry* entry = new IMenuEntry;
  entry->flags = flags;
  if (!entry->text.Assign(text) || !items.Append(entry)) {
    delete entry;
    return nullptr;
  }
  return entry;
}

bool IMenuModel::FormatLabel(int index, TextBuffer* out) const {
  const IMenuEntry* entry = items.At(index);
  if (!entry || !out) return false;
  const char* text = entry->text.Text();
  switch (numberPrefix) {
    case 1: return out->AssignFormatted(kMaxLabel, "%1d: %s", index + 1, text);
    case 2: return out->AssignFormatted(kMaxLabel, "%02d: %s", index + 1, text);
    case 3: return out->AssignFormatted(kMaxLabel, "%03d: %s", index + 1, text);
    default: return out->Assign(text);
  }
}

int IMenuModel::CommandCount() const {
  int count = Count();
  for (int i = 0; i < Count(); ++i) {
    if (const IMenuModel* sub = items.At(i)->submenu) count += sub->CommandCount();
  }
  return count;
}

IMenuModel* IMenuModel::ChooseCommand(int id) {
  int counter = 0;
  return id >= 0 ? ChooseCommand(id, &counter) : nullptr;
}

IMenuModel* IMenuModel::ChooseCommand(int id, int* counter) {
  const int first = *counter;
  *counter += Count();
  if (id < *counter) {
    const int index = id - first;
    const IMenuEntry* entry = items.At(index);
    if (entry->submenu || (entry->flags & (kMenuSeparator | kMenuGreyed | kMenuDisabled))) return nullptr;
    chosenIndex = index;
    return this;
  }
  for (int i = 0; i < Count(); ++i) {
    IMenuModel* sub = items.At(i)->submenu;
    if (!sub) continue;
    if (IMenuModel* hit = sub->ChooseCommand(id, counter)) return hit;
    if (id < *counter) return nullptr;  // the identifier was this submenu's, but not choosable
  }
  return nullptr;
}
