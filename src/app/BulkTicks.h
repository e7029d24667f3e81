#pragma once
// The menu's bulk tick commands. Each tick they change is kept as the
// user's own click would be (SaveTick). The portable and installing
// commands only add ticks, never remove them.

#include <cstddef>
#include <cstdint>
#include <optional>

namespace kva {

class Registry;
class ToolListModel;
class ToolState;

enum class BulkTick {
  All,
  None,       // also the counter's "Clear"
  GroupAll,   // the highlighted entry's group
  GroupNone,
  Portable,   // entries whose record exists and has no uninstall command
  Installing, // entries whose record exists and has one
};

struct BulkTickResult {
  std::size_t changed = 0;
  std::size_t unsaved = 0;  // changed, but SaveTick could not keep them
  bool operator==(const BulkTickResult&) const = default;
};

// The group commands need the highlighted entry and change nothing
// without one.
[[nodiscard]] BulkTickResult ApplyBulkTick(BulkTick command, ToolListModel& list, ToolState& state,
                          Registry& registry, std::uint32_t optionsFlag,
                          std::optional<std::size_t> highlighted);

}  // namespace kva
