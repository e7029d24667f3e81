#include "catalog/ToolListLoader.h"

#include "catalog/Groups.h"
#include "catalog/KeyAccess.h"
#include "catalog/Names.h"
#include "catalog/OrderList.h"
#include "catalog/ToolListModel.h"
#include "catalog/ToolRecord.h"
#include "catalog/ToolTile.h"
#include "platform/RegistryAccess.h"
#include "platform/Text.h"

namespace kva {
namespace {

constexpr std::u16string_view kLoadingStatus = u"Loading tools...";

class Loader {
 public:
  Loader(Registry& registry, const ToolTileReader& tiles, const ToolListLoadOptions& options,
         ToolListModel& model)
      : registry_(registry), tiles_(tiles), options_(options), model_(model) {}

  void LoadGroup(int group, std::u16string_view name);
  [[nodiscard]] const ToolListLoadResult& Result() const { return result_; }

 private:
  [[nodiscard]] bool Option(std::uint32_t bit) const { return (options_.optionsFlag & bit) != 0; }
  ListGroup Header(int group, std::u16string_view name, const RegKey& settings) const;
  void LoadEntry(int group, const std::u16string& name);

  Registry& registry_;
  const ToolTileReader& tiles_;
  const ToolListLoadOptions& options_;
  ToolListModel& model_;
  ToolListLoadResult result_;
};

ListGroup Loader::Header(int group, std::u16string_view name, const RegKey& settings) const {
  ListGroup header{group, std::u16string(name)};
  header.collapsible = options_.collapsibleGroups;
  if (!header.collapsible || !Option(options::kSaveGroupStates)) return header;
  header.headerImage = int(ReadDwordAt(registry_, CatalogueGroupPath(group), value::kGroupImage));
  if (!options_.selectionPending) {
    std::uint32_t state = 0;
    ReadDword(settings, value::kGroupState, state);
    header.collapsed = (state & 1) != 0;
  }
  return header;
}

void Loader::LoadGroup(int group, std::u16string_view name) {
  RegKey settings(registry_);
  if (!Open(settings, SettingsGroupPath(group), reg::kRead)) return;
  if (!model_.AddGroup(Header(group, name, settings))) return;
  for (const auto& tool : ReadOrderList(settings)) LoadEntry(group, tool);
}

void Loader::LoadEntry(int group, const std::u16string& name) {
  if (!IsUsableName(name)) return;
  RegKey state(registry_);
  Open(state, StateKeyPath(name, group), reg::kRead);
  std::uint32_t hidden = 0, movedTo = 0, ticked = 0;
  ReadDword(state, value::kHidden, hidden);
  ReadDword(state, value::kMovedTo, movedTo);
  if (hidden == 1) {
    result_.anyHidden = true;
    return;
  }
  if (group > kFavourites && movedTo == 1) return;

  ListEntry entry;
  entry.name = name;
  entry.group = group;
  entry.recordGroup = ResolveRecordGroup(registry_, name, group);
  if (!options_.selectionPending && Option(options::kSaveTicks)) {
    ReadDword(state, value::kState, ticked);
    entry.ticked = ticked == 1;
    result_.anyTicked = result_.anyTicked || entry.ticked;
  }
  auto tile = tiles_.Read(name, entry.recordGroup);
  entry.icon = std::move(tile.icon);
  entry.secondLine = std::move(tile.secondLine);
  model_.Append(std::move(entry));
}

void Report(const std::function<void(int)>& progress, int percent) {
  if (progress) progress(percent);
}

}  // namespace

ToolListLoadResult LoadToolList(Registry& registry, const ToolTileReader& tiles,
                                const ToolListLoadOptions& options,
                                const ToolListLoadEvents& events, ToolListModel& model,
                                std::stop_token stop) {
  if (events.status) events.status(kLoadingStatus);
  Report(events.progress, 0);
  RegKey root(registry);
  Open(root, kCatalogueRootPath, reg::kRead);
  const auto groupCount = int(SubkeyCount(root));
  if (groupCount == 0) return {kEmptyCatalogueCode};

  model.Clear();
  Loader loader(registry, tiles, options, model);
  for (int group = 1; group <= groupCount; ++group) {
    if (stop.stop_requested()) return {.stopped = true};
    std::u16string name;
    // 1001 comes last under its own name, however many groups there are.
    if (group != kBuiltInRepair && ReadString(root, GroupKeyName(group), name) &&
        IsUsableName(name)) {
      loader.LoadGroup(group, name);
    }
    Report(events.progress, group * 100 / groupCount);
  }
  if (stop.stop_requested()) return {.stopped = true};
  loader.LoadGroup(kBuiltInRepair, kBuiltInRepairName);
  if (options.selectionPending && events.applySelection) events.applySelection();
  return loader.Result();
}

}  // namespace kva
