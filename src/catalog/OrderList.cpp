#include "catalog/OrderList.h"

#include "catalog/Names.h"
#include "platform/RegistryAccess.h"
#include "platform/Text.h"

namespace kva {
namespace {

bool ReadEntry(const RegKey& group, int index, std::u16string& name) {
  return ReadString(group, ToDecimal(index), name) && !name.empty();
}

bool ValueExists(const RegKey& group, int index) {
  RegValue ignored;
  return ReadRaw(group, ToDecimal(index), ignored);
}

// Moves the entries after index down by one; returns the index of the value
// that is now free (index itself when nothing followed), or -1 on failure.
int ShiftDown(const RegKey& group, int index) {
  std::u16string name;
  int free = index;
  while (ReadEntry(group, free + 1, name)) {
    if (!WriteOrderEntry(group, free, name)) return -1;
    ++free;
  }
  return free;
}

}  // namespace

std::vector<std::u16string> ReadOrderList(const RegKey& group) {
  std::vector<std::u16string> names;
  std::u16string name;
  while (ReadEntry(group, int(names.size()), name)) names.push_back(std::move(name));
  return names;
}

int PositionOf(const RegKey& group, std::u16string_view name) {
  std::u16string entry;
  for (int i = 0; ReadEntry(group, i, entry); ++i) {
    if (EqualsNoCase(entry, name)) return i;
  }
  return -1;
}

bool WriteOrderEntry(const RegKey& group, int index, std::u16string_view name) {
  return index >= 0 && WriteString(group, ToDecimal(index), reg::kSz, name);
}

bool DeleteOrderEntry(const RegKey& group, int index) {
  if (index < 0 || !group.IsOpen()) return false;
  const auto status = group.Port().RemoveValue(group.Handle(), ToDecimal(index));
  return status == reg::kSuccess || status == reg::kFileNotFound;
}

bool RemoveAt(const RegKey& group, int index) {
  if (index < 0) return false;
  const int free = ShiftDown(group, index);
  return free >= 0 && DeleteOrderEntry(group, free);
}

bool MoveToEnd(const RegKey& group, int index) {
  if (index < 0) return false;
  std::u16string name;
  if (!ReadEntry(group, index, name) || !IsUsableName(name)) return RemoveAt(group, index);
  const int free = ShiftDown(group, index);
  if (free < 0) return false;
  return free == index || WriteOrderEntry(group, free, name);
}

bool WriteOrderList(const RegKey& group, std::span<const std::u16string> names) {
  int index = 0;
  for (const auto& name : names) {
    if (!WriteOrderEntry(group, index++, name)) return false;
  }
  for (; ValueExists(group, index); ++index) {
    if (!DeleteOrderEntry(group, index)) return false;
  }
  return true;
}

}  // namespace kva
