#pragma once
// The "Restore hidden tools" window as data: the hidden tools with their
// check boxes, which buttons are enabled, and what "Restore selected"
// does. The toolkit window draws it and routes its clicks here.

#include <cstddef>
#include <string_view>
#include <vector>

#include "catalog/ToolState.h"

namespace kva {

namespace restore_text {
inline constexpr std::u16string_view kTitle = u"Restore hidden tools";
inline constexpr std::u16string_view kNameColumn = u"Hidden tools";
inline constexpr std::u16string_view kGroupColumn = u"Group id";
inline constexpr int kWidth = 600;
inline constexpr int kHeight = 530;

struct ButtonText {
  std::u16string_view text;
  std::u16string_view tooltip;
};
inline constexpr ButtonText kSelectAll{u"Select all", u"Check all the tools"};
inline constexpr ButtonText kSelectNone{u"Select none", u"Uncheck all the tools"};
inline constexpr ButtonText kRestore{u"Restore selected", u"Restore the selected tools"};
inline constexpr ButtonText kClose{u"Close / Cancel", u"Close this window"};
}  // namespace restore_text

struct RestoreHiddenRow {
  HiddenTool tool;
  bool ticked = false;
};

class RestoreHiddenModel {
 public:
  explicit RestoreHiddenModel(ToolState& state);

  [[nodiscard]] const std::vector<RestoreHiddenRow>& Rows() const { return rows_; }
  void SetTicked(std::size_t row, bool ticked);
  void SetAllTicked(bool ticked);  // "Select all" / "Select none"
  // "Restore selected" is enabled while a row is ticked.
  [[nodiscard]] bool RestoreEnabled() const;

  // Restores the ticked rows from the last to the first; a restored row
  // goes, one that could not be restored stays. The window then closes,
  // and the main window redraws its list and tick counter.
  std::size_t RestoreTicked();
  // Whether the main window's "Restore hidden tools" stays enabled.
  [[nodiscard]] bool AnyHiddenLeft() const { return !rows_.empty(); }

 private:
  ToolState& state_;
  std::vector<RestoreHiddenRow> rows_;
};

}  // namespace kva
