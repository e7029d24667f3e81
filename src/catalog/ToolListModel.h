#pragma once
// The tool list as data: groups in list order, each with its entries in
// display order. The Win32 list draws it and the catalogue operations
// change it. An entry's index is its place in the whole list (the entries
// of the first group, then those of the second, ...); a position is its
// place inside its group.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kva {

// An entry's 22 x 22 icon: a PNG file when file is set, otherwise the IMAGE
// resource imageId (0: no icon).
struct ToolIcon {
  int imageId = 0;
  std::u16string file;
  bool operator==(const ToolIcon&) const = default;
};

struct ListGroup {
  int number = 0;
  std::u16string name;
  int headerImage = 0;  // IMAGE resource id, 0: none
  bool collapsible = false;
  bool collapsed = false;
};

struct ListEntry {
  std::u16string name;
  int group = 0;        // the group it is shown in
  int recordGroup = 0;  // the group holding its record
  bool ticked = false;
  ToolIcon icon;
  std::u16string secondLine;
};

class ToolListModel {
 public:
  void Clear();

  // Groups are shown in the order they are added; a number is added once.
  bool AddGroup(ListGroup group);
  [[nodiscard]] std::span<const ListGroup> Groups() const { return groups_; }
  [[nodiscard]] const ListGroup* FindGroup(int number) const;
  bool SetCollapsed(int number, bool collapsed);

  [[nodiscard]] std::size_t EntryCount() const { return entries_.size(); }
  [[nodiscard]] const ListEntry& Entry(std::size_t index) const { return entries_[index]; }
  [[nodiscard]] std::span<const ListEntry> Entries() const { return entries_; }
  [[nodiscard]] std::span<const ListEntry> EntriesOf(int group) const;

  // Places the entry in entry.group at position (clipped to the group's
  // end); returns its index, or empty when the group is not in the list.
  std::optional<std::size_t> Insert(ListEntry entry, std::size_t position);
  std::optional<std::size_t> Append(ListEntry entry);
  bool Remove(std::size_t index);
  // Moves the entry into group at position (clipped); returns its new index.
  std::optional<std::size_t> Move(std::size_t index, int group, std::size_t position);
  // Exchanges two entries of the same group.
  bool Swap(std::size_t a, std::size_t b);

  [[nodiscard]] std::optional<std::size_t> Find(std::u16string_view name, int group) const;
  // Index of the group's first entry (where it would be when it has none).
  [[nodiscard]] std::optional<std::size_t> GroupStart(int group) const;
  [[nodiscard]] std::optional<std::size_t> IndexOf(int group, std::size_t position) const;
  [[nodiscard]] std::optional<std::size_t> PositionOf(std::size_t index) const;

  bool SetTicked(std::size_t index, bool ticked);
  bool SetTile(std::size_t index, ToolIcon icon, std::u16string secondLine);
  [[nodiscard]] std::size_t TickedCount() const;

 private:
  struct Slot {
    std::size_t start = 0;
    std::size_t count = 0;
  };
  [[nodiscard]] std::optional<std::size_t> GroupIndex(int number) const;
  [[nodiscard]] Slot SlotOf(std::size_t groupIndex) const;

  std::vector<ListGroup> groups_;
  std::vector<std::size_t> counts_;  // entries per group, parallel to groups_
  std::vector<ListEntry> entries_;
};

}  // namespace kva
