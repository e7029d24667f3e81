#pragma once
// The tool finder in the header and "Browse ticked tools": searches over
// the list that end in a highlighted entry (its group expanded) or a tip.
// Texts compare case-insensitively; with OptionsFlag bit 11 the finder
// also searches the records' descriptions.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "app/MainCommand.h"

namespace kva {

class Registry;
class ToolListModel;

namespace finder_text {
inline constexpr std::u16string_view kCue = u"Find a tool (Ctrl+F)";  // grey, in the empty finder
inline constexpr std::u16string_view kFindButtonTooltip = u"Find a tool (F3)";
inline constexpr std::u16string_view kEnterText = u"Please enter the text to search for";
inline constexpr std::u16string_view kEndReached = u"Search reached the end of the list!";
inline constexpr std::u16string_view kNoMoreTicked =
    u"The end of the list was reached. No more ticked items";
}  // namespace finder_text

// What the finder's edit box holds.
struct FinderText {
  std::u16string_view text;
  bool showingCue = false;  // the grey cue is shown, nothing was typed
};

class Finder {
 public:
  // Enter, with at least 3 characters typed: without description search
  // every entry whose name holds the text is selected and the others are
  // not; with it the first entry from the top that holds it is highlighted.
  CommandOutcome Enter(ToolListModel& list, Registry& registry, FinderText finder,
                       std::uint32_t optionsFlag);
  // F3 or the find button: the next hit after the previous one; at the end
  // a tip, and the search after it starts at the top again.
  CommandOutcome Next(ToolListModel& list, Registry& registry, FinderText finder,
                      std::uint32_t optionsFlag);
  // The list was refilled: the next search starts at the top.
  void Forget() { lastHit_.reset(); }

 private:
  std::optional<std::size_t> lastHit_;
};

// Highlights the first ticked entry after the highlighted one; at the end
// the highlight goes (so the next browse starts at the top) with a tip.
CommandOutcome BrowseTicked(ToolListModel& list, std::optional<std::size_t> highlighted);

}  // namespace kva
