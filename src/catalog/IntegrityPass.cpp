#include "catalog/IntegrityPass.h"

#include <unordered_set>
#include <vector>

#include "catalog/Groups.h"
#include "catalog/KeyAccess.h"
#include "catalog/Names.h"
#include "catalog/OrderList.h"
#include "catalog/ToolRecord.h"
#include "platform/RegistryAccess.h"
#include "platform/Text.h"

namespace kva {
namespace {

// Tool names of one group, folded for case-insensitive lookups.
using NameSet = std::unordered_set<std::u16string>;

std::vector<std::u16string> SubkeyNames(const RegKey& key) {
  std::vector<std::u16string> names;
  std::u16string name;
  for (std::uint32_t i = 0; EnumKey(key, i, name); ++i) names.push_back(name);
  return names;
}

NameSet Folded(const std::vector<std::u16string>& names) {
  NameSet set;
  set.reserve(names.size());
  for (const auto& name : names) set.insert(FoldCase(name));
  return set;
}

bool Contains(const NameSet& set, std::u16string_view name) {
  return set.contains(FoldCase(name));
}

class GroupSync {
 public:
  GroupSync(Registry& registry, int group, const RegKey& settings, const RegKey& catalogue)
      : registry_(registry), group_(group), settings_(settings),
        tools_(SubkeyNames(catalogue)), catalogueNames_(Folded(tools_)) {}

  bool Run() {
    bool ok = DeleteVanishedStates();
    ok = DropVanishedEntries() && ok;
    return AppendNewTools() && ok;
  }

 private:
  bool DeleteVanishedStates();
  bool DropVanishedEntries();
  bool AppendNewTools();
  bool CreateStateKey(std::u16string_view name, bool& shown);

  Registry& registry_;
  int group_;
  const RegKey& settings_;
  std::vector<std::u16string> tools_;  // catalogue enumeration order
  NameSet catalogueNames_;
  std::vector<std::u16string> order_;  // the order list after the drop
};

bool GroupSync::DeleteVanishedStates() {
  bool ok = true;
  for (const auto& name : SubkeyNames(settings_)) {
    if (!Contains(catalogueNames_, name)) {
      ok = DeleteKeyTree(registry_, StateKeyPath(name, group_)) && ok;
    }
  }
  return ok;
}

// Same result as deleting each vanished entry and moving the later ones
// down, with one write per surviving entry.
bool GroupSync::DropVanishedEntries() {
  const auto listed = ReadOrderList(settings_);
  std::size_t firstDropped = listed.size();
  for (std::size_t i = 0; i < listed.size(); ++i) {
    if (Contains(catalogueNames_, listed[i])) {
      order_.push_back(listed[i]);
    } else if (firstDropped == listed.size()) {
      firstDropped = i;
    }
  }
  if (firstDropped == listed.size()) return true;
  bool ok = true;
  for (std::size_t i = firstDropped; i < order_.size(); ++i) {
    ok = WriteOrderEntry(settings_, int(i), order_[i]) && ok;
  }
  for (std::size_t i = order_.size(); i < listed.size(); ++i) {
    ok = DeleteOrderEntry(settings_, int(i)) && ok;
  }
  return ok;
}

// shown: the tool is neither hidden nor moved to the favourites, so it
// belongs in the order list.
bool GroupSync::CreateStateKey(std::u16string_view name, bool& shown) {
  RegKey state(registry_);
  if (!Open(state, StateKeyPath(name, group_), kOpenOrCreate)) return false;
  std::uint32_t hidden = 0, movedTo = 0;
  ReadDword(state, value::kHidden, hidden);
  ReadDword(state, value::kMovedTo, movedTo);
  shown = hidden != 1 && movedTo == 0;
  return true;
}

bool GroupSync::AppendNewTools() {
  NameSet listed = Folded(order_);
  int next = int(order_.size());
  bool ok = true;
  for (const auto& name : tools_) {
    if (!IsUsableName(name)) continue;
    bool shown = false;
    if (!CreateStateKey(name, shown)) {
      ok = false;
      continue;
    }
    if (!shown || Contains(listed, name)) continue;
    if (WriteOrderEntry(settings_, next, name)) {
      ++next;
      listed.insert(FoldCase(name));
    } else {
      ok = false;
    }
  }
  return ok;
}

// Opens the settings key of a catalogue group, creating it, and synchronises
// catalogue groups.
bool VisitGroup(Registry& registry, const RegKey& catalogue, int group) {
  RegKey settings(registry);
  if (!Open(settings, SettingsGroupPath(group), kOpenOrCreate)) return false;
  if (group < kFirstCatalogueGroup) return true;
  return GroupSync(registry, group, settings, catalogue).Run();
}

bool VisitCatalogueFrom(Registry& registry, int first) {
  bool ok = true;
  for (int group = first;; ++group) {
    RegKey catalogue(registry);
    if (!Open(catalogue, CatalogueGroupPath(group), reg::kRead)) break;
    ok = VisitGroup(registry, catalogue, group) && ok;
  }
  return ok;
}

bool DeleteGroupsNotInCatalogue(Registry& registry) {
  bool ok = true;
  for (int group = kFirstCatalogueGroup; PathExists(registry, SettingsGroupPath(group));
       ++group) {
    if (!PathExists(registry, CatalogueGroupPath(group))) {
      ok = DeleteKeyTree(registry, SettingsGroupPath(group)) && ok;
    }
  }
  return ok;
}

}  // namespace

bool IntegrityPass(Registry& registry) {
  bool ok = VisitCatalogueFrom(registry, kFavourites);
  ok = VisitCatalogueFrom(registry, kBuiltInRepair) && ok;
  return DeleteGroupsNotInCatalogue(registry) && ok;
}

}  // namespace kva
