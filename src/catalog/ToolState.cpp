#include "catalog/ToolState.h"

#include <algorithm>
#include <functional>

#include "catalog/Groups.h"
#include "catalog/KeyAccess.h"
#include "catalog/ListTextCompare.h"
#include "catalog/Names.h"
#include "catalog/Options.h"
#include "catalog/OrderList.h"
#include "catalog/ToolListModel.h"
#include "catalog/ToolRecord.h"
#include "catalog/ToolTile.h"
#include "platform/RegistryAccess.h"

namespace kva {
namespace {

bool OpenGroup(int group, RegKey& key) {
  return Open(key, SettingsGroupPath(group), reg::kRead | reg::kWrite);
}

// The group's key and the entry's place in its order list.
struct Listed {
  RegKey group;
  int position = -1;
};

bool FindListed(int group, std::u16string_view name, Listed& out) {
  if (!OpenGroup(group, out.group)) return false;
  out.position = PositionOf(out.group, name);
  return out.position >= 0;
}

}  // namespace

const ListEntry* ToolState::UsableEntry(std::size_t index) const {
  if (index >= model_.EntryCount()) return nullptr;
  const auto& entry = model_.Entry(index);
  return IsUsableName(entry.name) ? &entry : nullptr;
}

bool ToolState::RefreshTile(std::size_t index) {
  const auto& entry = model_.Entry(index);
  auto tile = tiles_.Read(entry.name, entry.recordGroup);
  return model_.SetTile(index, std::move(tile.icon), std::move(tile.secondLine));
}

bool ToolState::SaveTick(std::size_t index, bool ticked, std::uint32_t optionsFlag) {
  const auto* entry = UsableEntry(index);
  if (!entry) return false;
  if ((optionsFlag & options::kSaveTicks) == 0 || entry->group < 1) return true;
  return WriteDwordAt(registry_, StateKeyPath(entry->name, entry->group), value::kState,
                      ticked ? 1 : 0);
}

bool ToolState::HideOne(std::size_t index) {
  const auto* entry = UsableEntry(index);
  if (!entry) return false;
  const std::u16string name = entry->name;
  const int group = entry->group;
  Listed listed{RegKey(registry_)};
  if (!FindListed(group, name, listed)) return false;
  // Last in its group first: on its own that only changes where the tool
  // shows at the next start.
  if (!MoveToEnd(listed.group, listed.position)) return false;
  const auto state = StateKeyPath(name, group);
  if (!WriteDwordAt(registry_, state, value::kHidden, 1)) return false;
  if (model_.Remove(index)) return true;
  // Shown but marked hidden would vanish at the next start; a failed undo
  // changes nothing more, the hide is refused either way.
  [[maybe_unused]] const bool undone = RemoveValueAt(registry_, state, value::kHidden);
  return false;
}

std::size_t ToolState::Hide(std::span<const std::size_t> indices) {
  // From the last entry to the first, so that removals leave the indices
  // still to come where they were.
  std::vector<std::size_t> order(indices.begin(), indices.end());
  std::sort(order.begin(), order.end(), std::greater<>());
  order.erase(std::unique(order.begin(), order.end()), order.end());
  std::size_t hidden = 0;
  for (const auto index : order) hidden += HideOne(index) ? 1 : 0;
  return hidden;
}

std::vector<HiddenTool> ToolState::ListHidden() const {
  std::vector<int> groups;
  for (int group = 1; PathExists(registry_, SettingsGroupPath(group)); ++group) {
    groups.push_back(group);
  }
  if ((groups.empty() || groups.back() < kBuiltInRepair) &&
      PathExists(registry_, SettingsGroupPath(kBuiltInRepair))) {
    groups.push_back(kBuiltInRepair);
  }
  std::vector<HiddenTool> hidden;
  for (const int group : groups) {
    RegKey key(registry_);
    if (!Open(key, SettingsGroupPath(group), reg::kRead)) continue;
    std::u16string name;
    for (std::uint32_t i = 0; EnumKey(key, i, name); ++i) {
      const auto state = StateKeyPath(name, group);
      if (ReadDwordAt(registry_, state, value::kHidden) == 1 &&
          ReadDwordAt(registry_, state, value::kMovedTo) != 1) {
        hidden.push_back({name, group});
      }
    }
  }
  return hidden;
}

bool ToolState::Restore(std::u16string_view name, int group) {
  if (!IsUsableName(name) || !model_.FindGroup(group) || model_.Find(name, group)) return false;
  Listed listed{RegKey(registry_)};
  if (!FindListed(group, name, listed) || !MoveToEnd(listed.group, listed.position)) return false;
  const auto state = StateKeyPath(name, group);
  ListEntry entry;
  entry.name = std::u16string(name);
  entry.group = group;
  entry.recordGroup = ResolveRecordGroup(registry_, name, group);
  entry.ticked = ReadDwordAt(registry_, state, value::kState) != 0;
  // Its icon and last update as at start; a tool never updated says so
  // as the entries added later do.
  auto tile = tiles_.Read(name, entry.recordGroup, TileMoment::Later);
  entry.icon = std::move(tile.icon);
  entry.secondLine = std::move(tile.secondLine);
  const auto index = model_.Append(std::move(entry));
  if (!index) return false;
  if (RemoveValueAt(registry_, state, value::kHidden)) return true;
  // Still hidden in the hive: the list must not show it either.
  [[maybe_unused]] const bool removed = model_.Remove(*index);
  return false;
}

bool ToolState::Swap(std::size_t a, std::size_t b) {
  const auto* first = UsableEntry(a);
  const auto* second = UsableEntry(b);
  if (a == b || !first || !second || first->group != second->group) return false;
  const std::u16string nameA = first->name, nameB = second->name;
  Listed listedA{RegKey(registry_)}, listedB{RegKey(registry_)};
  if (!FindListed(first->group, nameA, listedA) ||
      !FindListed(first->group, nameB, listedB)) {
    return false;
  }
  if (WriteOrderEntry(listedA.group, listedA.position, nameB) &&
      WriteOrderEntry(listedA.group, listedB.position, nameA)) {
    return model_.Swap(a, b);
  }
  // Put back what was written, so that no name is listed twice; the swap
  // is refused whether or not that succeeds.
  [[maybe_unused]] const bool undone =
      WriteOrderEntry(listedA.group, listedA.position, nameA) &&
      WriteOrderEntry(listedA.group, listedB.position, nameB);
  return false;
}

bool ToolState::AddFavourite(std::size_t index) {
  const auto* entry = UsableEntry(index);
  if (!entry || entry->group < kOwnTools || model_.Find(entry->name, kFavourites)) return false;
  const std::u16string name = entry->name;
  const int origin = entry->group;
  Listed listed{RegKey(registry_)};
  RegKey originKey(registry_), favourite(registry_), favourites(registry_);
  if (!model_.FindGroup(kFavourites) || !FindListed(origin, name, listed) ||
      !Open(originKey, StateKeyPath(name, origin), kOpenOrCreate) ||
      !Open(favourite, StateKeyPath(name, kFavourites), kOpenOrCreate) ||
      !Open(favourites, SettingsGroupPath(kFavourites), kOpenOrCreate)) {
    return false;
  }
  // Moved to the end before the other writes: a failed move leaves nothing
  // to undo, and a later failure puts the old order back.
  const auto originOrder = ReadOrderList(listed.group);
  if (!MoveToEnd(listed.group, listed.position)) return false;
  // The new name goes after every name of the list, hidden favourites
  // included, so that none of them is overwritten.
  const int slot = int(ReadOrderList(favourites).size());
  std::uint32_t state = 0;
  // A tool never ticked has no State yet: 0 then.
  [[maybe_unused]] const bool hadState = ReadDword(originKey, value::kState, state);
  const bool written = WriteDword(favourite, value::kState, state) &&
                       WriteDword(favourite, value::kHidden, 0) &&
                       WriteOrderEntry(favourites, slot, name) &&
                       WriteDword(originKey, value::kMovedTo, 1) &&
                       WriteDword(favourite, value::kGroupId, std::uint32_t(origin));
  const auto shown = model_.EntriesOf(kFavourites).size();
  const auto moved = written ? model_.Move(index, kFavourites, shown) : std::nullopt;
  if (!moved) {
    favourite.Reset();
    // Best effort: the favourite is refused whatever the undo achieves.
    [[maybe_unused]] const bool undone =
        DeleteKeyTree(registry_, StateKeyPath(name, kFavourites)) &
        DeleteValue(originKey, value::kMovedTo) & DeleteOrderEntry(favourites, slot) &
        WriteOrderList(listed.group, originOrder);
    return false;
  }
  return RefreshTile(*moved);
}

bool ToolState::RemoveFavourite(std::size_t index) {
  const auto* entry = UsableEntry(index);
  if (!entry || entry->group != kFavourites) return false;
  const std::u16string name = entry->name;
  const auto favourite = StateKeyPath(name, kFavourites);
  const int origin = int(ReadDwordAt(registry_, favourite, value::kGroupId));
  Listed inOrigin{RegKey(registry_)}, inFavourites{RegKey(registry_)};
  if (origin < kOwnTools || !model_.FindGroup(origin) ||
      !FindListed(origin, name, inOrigin) ||
      !FindListed(kFavourites, name, inFavourites)) {
    return false;
  }
  const auto originState = StateKeyPath(name, origin);
  if (!WriteDwordAt(registry_, originState, value::kState,
                    ReadDwordAt(registry_, favourite, value::kState)) ||
      !WriteDwordAt(registry_, originState, value::kHidden, 0)) {
    return false;
  }
  // The origin must show the tool again before the favourite goes, or the
  // next start would show it nowhere.
  if (!RemoveValueAt(registry_, originState, value::kMovedTo) ||
      !RemoveValueAt(registry_, originState, value::kGroupId) ||
      !DeleteKeyTree(registry_, favourite) ||
      !RemoveAt(inFavourites.group, inFavourites.position)) {
    return false;
  }
  // Its place among the origin's entries, as far as the order list tells.
  const auto moved = model_.Move(index, origin, std::size_t(inOrigin.position));
  return moved && RefreshTile(*moved);
}

bool ToolState::DeleteOwnTool(std::size_t index) {
  const auto* entry = UsableEntry(index);
  if (!entry || entry->recordGroup != kOwnTools ||
      (entry->group != kFavourites && entry->group != kOwnTools)) {
    return false;
  }
  const std::u16string name = entry->name;
  const bool favourite = entry->group == kFavourites;
  Listed inOwn{RegKey(registry_)}, inFavourites{RegKey(registry_)};
  if (!FindListed(kOwnTools, name, inOwn) ||
      (favourite && !FindListed(kFavourites, name, inFavourites))) {
    return false;
  }
  if (!model_.Remove(index)) return false;
  bool ok = true;
  if (favourite) {
    ok = RemoveAt(inFavourites.group, inFavourites.position);
    ok = DeleteKeyTree(registry_, StateKeyPath(name, kFavourites)) && ok;
  }
  ok = RemoveAt(inOwn.group, inOwn.position) && ok;
  return DeleteKeyTree(registry_, StateKeyPath(name, kOwnTools)) && ok;
}

SortAllResult ToolState::SortAll() {
  SortAllResult result;
  for (const auto& group : model_.Groups()) {
    RegKey key(registry_);
    if (!OpenGroup(group.number, key)) {
      result.complete = false;
      continue;
    }
    const auto names = ReadOrderList(key);
    auto sorted = names;
    std::stable_sort(sorted.begin(), sorted.end(), ListTextLess());
    result.restart = true;
    if (WriteOrderList(key, sorted)) continue;
    result.complete = false;
    // A list written halfway names some tools twice and loses others: put
    // the old order back, as far as the registry lets us.
    [[maybe_unused]] const bool restored = WriteOrderList(key, names);
  }
  return result;
}

}  // namespace kva
