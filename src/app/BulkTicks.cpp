#include "app/BulkTicks.h"

#include <functional>

#include "app/EntryRecord.h"
#include "catalog/ToolListModel.h"
#include "catalog/ToolState.h"

namespace kva {
namespace {

using Chooser = std::function<bool(const ListEntry&)>;

BulkTickResult SetTicks(ToolListModel& list, ToolState& state, std::uint32_t optionsFlag,
                        const Chooser& chosen, bool ticked) {
  BulkTickResult result;
  for (std::size_t i = 0; i < list.EntryCount(); ++i) {
    const auto& entry = list.Entry(i);
    if (entry.ticked == ticked || !chosen(entry) || !list.SetTicked(i, ticked)) continue;
    ++result.changed;
    if (!state.SaveTick(i, ticked, optionsFlag)) ++result.unsaved;
  }
  return result;
}

Chooser ByRecord(Registry& registry, bool portable) {
  return [&registry, portable](const ListEntry& entry) {
    const auto record = ReadEntryRecord(registry, entry);
    return record && record->portable == portable;
  };
}

}  // namespace

BulkTickResult ApplyBulkTick(BulkTick command, ToolListModel& list, ToolState& state,
                          Registry& registry, std::uint32_t optionsFlag,
                          std::optional<std::size_t> highlighted) {
  const Chooser every = [](const ListEntry&) { return true; };
  const bool forGroup = command == BulkTick::GroupAll || command == BulkTick::GroupNone;
  if (forGroup && (!highlighted || *highlighted >= list.EntryCount())) return {};
  const int group = forGroup ? list.Entry(*highlighted).group : 0;
  const Chooser inGroup = [group](const ListEntry& entry) { return entry.group == group; };
  switch (command) {
    case BulkTick::All:
      return SetTicks(list, state, optionsFlag, every, true);
    case BulkTick::None:
      return SetTicks(list, state, optionsFlag, every, false);
    case BulkTick::GroupAll:
      return SetTicks(list, state, optionsFlag, inGroup, true);
    case BulkTick::GroupNone:
      return SetTicks(list, state, optionsFlag, inGroup, false);
    case BulkTick::Portable:
      return SetTicks(list, state, optionsFlag, ByRecord(registry, true), true);
    case BulkTick::Installing:
      return SetTicks(list, state, optionsFlag, ByRecord(registry, false), true);
  }
  return {};
}

}  // namespace kva
