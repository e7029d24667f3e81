#pragma once
// What the user decides about the listed tools, kept in the settings hive
// and mirrored in the list model: ticks, hidden tools, favourites, own
// tools, and the order of each group. Every operation refuses names shorter
// than the minimum, and entries missing from the order list it has to
// change, and then changes nothing.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kva {

class Registry;
class ToolListModel;
struct ListEntry;
class ToolTileReader;

struct HiddenTool {
  std::u16string name;
  int group = 0;
  bool operator==(const HiddenTool&) const = default;
};

struct SortAllResult {
  bool restart = false;   // order lists were rewritten: rebuild the list by restarting
  bool complete = true;   // every group's list could be written
};

class ToolState {
 public:
  ToolState(Registry& registry, ToolListModel& model, const ToolTileReader& tiles)
      : registry_(registry), model_(model), tiles_(tiles) {}

  // Persists a tick the list already shows; writes only when optionsFlag
  // asks for ticks to be saved.
  [[nodiscard]] bool SaveTick(std::size_t index, bool ticked, std::uint32_t optionsFlag);
  // Returns how many of the entries were hidden.
  [[nodiscard]] std::size_t Hide(std::span<const std::size_t> indices);
  [[nodiscard]] std::vector<HiddenTool> ListHidden() const;
  // Shows a hidden tool again as the last entry of its group.
  [[nodiscard]] bool Restore(std::u16string_view name, int group);
  [[nodiscard]] bool AddFavourite(std::size_t index);
  [[nodiscard]] bool RemoveFavourite(std::size_t index);
  [[nodiscard]] bool DeleteOwnTool(std::size_t index);
  // Exchanges two entries of one group ("Move up", "Move down").
  [[nodiscard]] bool Swap(std::size_t a, std::size_t b);
  // Sorts the order list of every listed group.
  [[nodiscard]] SortAllResult SortAll();

 private:
  [[nodiscard]] const ListEntry* UsableEntry(std::size_t index) const;
  [[nodiscard]] bool HideOne(std::size_t index);
  [[nodiscard]] bool RefreshTile(std::size_t index);

  Registry& registry_;
  ToolListModel& model_;
  const ToolTileReader& tiles_;
};

}  // namespace kva
