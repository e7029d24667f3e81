#pragma once
// A group's order list in the settings hive: REG_SZ values "0", "1", ...
// naming the group's tools in display order. The list ends at the first
// missing or empty value. Every function takes the open group key
// (HKLM\kva_settings\<g>) and reports registry failures as false.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kva {

class RegKey;

std::vector<std::u16string> ReadOrderList(const RegKey& group);
// Index of the first entry equal to name (case-insensitive), or -1.
int PositionOf(const RegKey& group, std::u16string_view name);

[[nodiscard]] bool WriteOrderEntry(const RegKey& group, int index, std::u16string_view name);
// Deleting an entry that is not there succeeds.
[[nodiscard]] bool DeleteOrderEntry(const RegKey& group, int index);

// The entry at index leaves the list: every later entry moves down by one
// and the last value is deleted. Callers that deleted the entry themselves
// close the gap with it.
[[nodiscard]] bool RemoveAt(const RegKey& group, int index);
// The entry at index goes to the end of the list, the later entries moving
// down by one. A name shorter than the minimum is removed instead.
[[nodiscard]] bool MoveToEnd(const RegKey& group, int index);

// Writes the list from "0" and deletes the values that followed its end.
[[nodiscard]] bool WriteOrderList(const RegKey& group, std::span<const std::u16string> names);

}  // namespace kva
