#pragma once
// The tick counter under the side panel and the controls that follow it:
// the five operation buttons (enabled while something is ticked, switched
// only when the count crosses zero) and the "Browse ticked tools" link.

#include <cstddef>
#include <optional>
#include <string>

namespace kva {

// "No tools ticked." / "One tool ticked.  <a>Clear</a>" / "N tools ticked.  <a>Clear</a>".
std::u16string TickCounterText(std::size_t tickedCount);

struct CounterRefresh {
  std::u16string text;
  bool browseEnabled = false;
  // "Update selected", "Run selected", "Update and run selected", "Hide
  // selected from the list" and "Uninstall selected": set only when the
  // count crossed zero since the last refresh (always on the first).
  std::optional<bool> operationButtons;
};

class TickCounter {
 public:
  CounterRefresh Refresh(std::size_t tickedCount);

 private:
  std::optional<std::size_t> last_;
};

}  // namespace kva
