#include "catalog/ToolListModel.h"

#include <algorithm>
#include <numeric>

#include "platform/Text.h"

namespace kva {

void ToolListModel::Clear() {
  groups_.clear();
  counts_.clear();
  entries_.clear();
}

bool ToolListModel::AddGroup(ListGroup group) {
  if (GroupIndex(group.number)) return false;
  groups_.push_back(std::move(group));
  counts_.push_back(0);
  return true;
}

const ListGroup* ToolListModel::FindGroup(int number) const {
  const auto index = GroupIndex(number);
  return index ? &groups_[*index] : nullptr;
}

bool ToolListModel::SetCollapsed(int number, bool collapsed) {
  const auto index = GroupIndex(number);
  if (!index) return false;
  groups_[*index].collapsed = collapsed;
  return true;
}

std::span<const ListEntry> ToolListModel::EntriesOf(int group) const {
  const auto index = GroupIndex(group);
  if (!index) return {};
  const auto slot = SlotOf(*index);
  return std::span<const ListEntry>(entries_).subspan(slot.start, slot.count);
}

std::optional<std::size_t> ToolListModel::Insert(ListEntry entry, std::size_t position) {
  const auto groupIndex = GroupIndex(entry.group);
  if (!groupIndex) return std::nullopt;
  const auto slot = SlotOf(*groupIndex);
  const auto index = slot.start + std::min(position, slot.count);
  entries_.insert(entries_.begin() + std::ptrdiff_t(index), std::move(entry));
  ++counts_[*groupIndex];
  return index;
}

std::optional<std::size_t> ToolListModel::Append(ListEntry entry) {
  return Insert(std::move(entry), entries_.size());
}

bool ToolListModel::Remove(std::size_t index) {
  if (index >= entries_.size()) return false;
  --counts_[*GroupIndex(entries_[index].group)];
  entries_.erase(entries_.begin() + std::ptrdiff_t(index));
  return true;
}

std::optional<std::size_t> ToolListModel::Move(std::size_t index, int group,
                                               std::size_t position) {
  if (index >= entries_.size() || !GroupIndex(group)) return std::nullopt;
  ListEntry entry = entries_[index];
  Remove(index);
  entry.group = group;
  return Insert(std::move(entry), position);
}

bool ToolListModel::Swap(std::size_t a, std::size_t b) {
  if (a >= entries_.size() || b >= entries_.size()) return false;
  if (entries_[a].group != entries_[b].group) return false;
  std::swap(entries_[a], entries_[b]);
  return true;
}

std::optional<std::size_t> ToolListModel::Find(std::u16string_view name, int group) const {
  const auto groupIndex = GroupIndex(group);
  if (!groupIndex) return std::nullopt;
  const auto slot = SlotOf(*groupIndex);
  for (std::size_t i = slot.start; i < slot.start + slot.count; ++i) {
    if (EqualsNoCase(entries_[i].name, name)) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> ToolListModel::GroupStart(int group) const {
  const auto groupIndex = GroupIndex(group);
  if (!groupIndex) return std::nullopt;
  return SlotOf(*groupIndex).start;
}

std::optional<std::size_t> ToolListModel::IndexOf(int group, std::size_t position) const {
  const auto groupIndex = GroupIndex(group);
  if (!groupIndex) return std::nullopt;
  const auto slot = SlotOf(*groupIndex);
  if (position >= slot.count) return std::nullopt;
  return slot.start + position;
}

std::optional<std::size_t> ToolListModel::PositionOf(std::size_t index) const {
  if (index >= entries_.size()) return std::nullopt;
  return index - *GroupStart(entries_[index].group);
}

bool ToolListModel::SetTicked(std::size_t index, bool ticked) {
  if (index >= entries_.size()) return false;
  entries_[index].ticked = ticked;
  return true;
}

bool ToolListModel::SetTile(std::size_t index, ToolIcon icon, std::u16string secondLine) {
  if (index >= entries_.size()) return false;
  entries_[index].icon = std::move(icon);
  entries_[index].secondLine = std::move(secondLine);
  return true;
}

std::size_t ToolListModel::TickedCount() const {
  return std::size_t(std::count_if(entries_.begin(), entries_.end(),
                                   [](const ListEntry& e) { return e.ticked; }));
}

std::optional<std::size_t> ToolListModel::GroupIndex(int number) const {
  for (std::size_t i = 0; i < groups_.size(); ++i) {
    if (groups_[i].number == number) return i;
  }
  return std::nullopt;
}

ToolListModel::Slot ToolListModel::SlotOf(std::size_t groupIndex) const {
  const auto start = std::accumulate(counts_.begin(), counts_.begin() + std::ptrdiff_t(groupIndex),
                                     std::size_t{0});
  return {start, counts_[groupIndex]};
}

}  // namespace kva
