#pragma once
// Fills the tool list from the two hives: every named group that has its
// settings key, in number order, then the built-in repair actions; in each
// group the tools of its order list that are neither hidden nor moved to
// the favourites.

#include <cstdint>
#include <functional>
#include <stop_token>
#include <string_view>

#include "catalog/Options.h"

namespace kva {

class Registry;
class ToolListModel;
class ToolTileReader;

// The program ends with this exit code when the catalogue has no groups.
inline constexpr int kEmptyCatalogueCode = -14;

struct ToolListLoadOptions {
  std::uint32_t optionsFlag = options::kDefault;
  // A resume selection will be applied: ticks and collapsed states saved
  // at the last exit are not restored.
  bool selectionPending = false;
  bool collapsibleGroups = true;  // Windows 6.0 and later
};

struct ToolListLoadEvents {
  std::function<void(std::u16string_view)> status;
  std::function<void(int percent)> progress;
  // Called once the groups are loaded, when a selection is pending.
  std::function<void()> applySelection;
};

struct ToolListLoadResult {
  int code = 0;  // 0 or kEmptyCatalogueCode
  bool anyTicked = false;
  bool anyHidden = false;
  bool stopped = false;  // asked to stop between groups: the list is incomplete
};

// Checks stop before each group; a stopped load applies no selection.
ToolListLoadResult LoadToolList(Registry& registry, const ToolTileReader& tiles,
                                const ToolListLoadOptions& options,
                                const ToolListLoadEvents& events, ToolListModel& model,
                                std::stop_token stop = {});

}  // namespace kva
