#pragma once
// The tool list's context menu: its entries in order and which of them a
// highlighted entry (or none) enables. Accelerators follow the same
// enabling, so a shortcut never does what its menu entry would refuse.

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "app/MainCommand.h"

namespace kva {

class ToolListModel;

struct MenuEntry {
  std::optional<MainCommand> command;  // empty: a separator
  std::u16string_view text;
  bool enabled = false;
};

// Opened from the menu button, the menu appears this far right and down
// from the button's top-left corner; a click on the button this soon after
// the menu closed only closes it.
inline constexpr int kMenuButtonOffsetX = 27;
inline constexpr int kMenuButtonOffsetY = 28;
inline constexpr unsigned kMenuReopenGuardMilliseconds = 200;

// The first entry is the menu's default entry. The collapse and expand
// entries exist only where groups are collapsible (Windows 6.0 on).
std::vector<MenuEntry> BuildContextMenu(const ToolListModel& list,
                                        std::optional<std::size_t> highlighted,
                                        bool collapsibleGroups);

// Whether the command may run now. Commands outside the menu are always
// enabled here; the ones that need a highlighted entry are not without one.
bool IsCommandEnabled(const ToolListModel& list, std::optional<std::size_t> highlighted,
                      bool collapsibleGroups, MainCommand command);

}  // namespace kva
