#include "app/EntryRecord.h"

#include "catalog/ToolListModel.h"
#include "catalog/ToolRecord.h"
#include "platform/RegistryAccess.h"

namespace kva {
namespace {

bool OpenRecord(const ListEntry& entry, RegKey& key) {
  return Open(key, RecordKeyPath(entry.name, entry.recordGroup), reg::kRead);
}

}  // namespace

std::optional<EntryRecordFacts> ReadEntryRecord(Registry& registry, const ListEntry& entry) {
  RegKey key(registry);
  if (!OpenRecord(entry, key)) return std::nullopt;
  EntryRecordFacts facts;
  ReadString(key, value::kDescription, facts.description);
  ReadString(key, value::kUninstallCmd, facts.uninstallCmd);
  facts.portable = IsPortable(key);
  return facts;
}

std::u16string ReadEntryDescription(Registry& registry, const ListEntry& entry) {
  RegKey key(registry);
  std::u16string description;
  if (OpenRecord(entry, key)) ReadString(key, value::kDescription, description);
  return description;
}

}  // namespace kva
