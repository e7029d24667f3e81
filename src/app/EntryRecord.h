#pragma once
// A list entry's tool record, read for the main window's decisions: the
// finder's descriptions, the description tooltip and the bulk ticks.

#include <optional>
#include <string>

namespace kva {

class Registry;
struct ListEntry;

struct EntryRecordFacts {
  std::u16string description;
  std::u16string uninstallCmd;
  bool portable = true;  // no uninstall command (absent or empty)
};

// Empty when the entry's record key does not exist.
std::optional<EntryRecordFacts> ReadEntryRecord(Registry& registry, const ListEntry& entry);
// Only the Description ("" without a record), for searching many entries.
std::u16string ReadEntryDescription(Registry& registry, const ListEntry& entry);

}  // namespace kva
