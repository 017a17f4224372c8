#pragma once

#include "core/PtrList.h"
#include "core/TextBuffer.h"

#include <cstdint>

struct IMenuModel;

enum EMenuEntryFlags : int32_t {
  kMenuGreyed = 1,
  kMenuDisabled = 2,
  kMenuTicked = 4,
  kMenuSeparator = 8,  // a separator line instead of an item
};

// One entry of a menu: a text, optionally a submenu it opens, and its state flags.
struct IMenuEntry {
  TextBuffer text{16};
  IMenuModel* submenu = nullptr;  // owned
  int32_t flags = 0;

  IMenuEntry() = default;
  ~IMenuEntry();
  IMenuEntry(const IMenuEntry&) = delete;
  IMenuEntry& operator=(const IMenuEntry&) = delete;
};

// A menu the editor builds and the platform shows. Platforms hand out command identifiers in
// building order: a menu takes one identifier per entry (separators included) when building
// reaches it, and a submenu is built when its entry is reached.
struct IMenuModel {
  int32_t numberPrefix = 0;  // 0 none; 1, 2, 3: "%1d: ", "%02d: ", "%03d: " before each text
  int32_t chosenIndex = -1;  // 0-based entry the user chose, -1 until then
  PtrList<IMenuEntry> items{256};

  IMenuModel() = default;
  ~IMenuModel();
  IMenuModel(const IMenuModel&) = delete;
  IMenuModel& operator=(const IMenuModel&) = delete;

  // Appends an entry; null when the menu could not grow.
  IMenuEntry* AddItem(const char* text, int32_t flags = 0);
  int Count() const { return items.Count(); }

  // The label shown for entry `index`: its text, with its 1-based position before it when the menu
  // numbers its entries.
  bool FormatLabel(int index, TextBuffer* out) const;

  // The identifiers this menu and all its submenus take together.
  int CommandCount() const;

  // Records the choice of command identifier `id` in the menu that holds its entry and returns that
  // menu; null when no entry carries the identifier or the entry cannot be chosen (a separator, a
  // greyed or disabled item, or an entry that only opens a submenu).
  IMenuModel* ChooseCommand(int id);

 private:
  IMenuModel* ChooseCommand(int id, int* counter);
};
