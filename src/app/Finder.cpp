#include "app/Finder.h"

#include <vector>

#include "app/EntryRecord.h"
#include "catalog/Options.h"
#include "catalog/ToolListModel.h"
#include "platform/Text.h"

namespace kva {
namespace {

constexpr std::size_t kShortestSearch = 3;

bool Holds(std::u16string_view text, std::u16string_view needle) {
  return FindNoCase(text, needle) != kNpos;
}

bool Matches(Registry& registry, const ListEntry& entry, std::u16string_view text,
             bool descriptions) {
  return Holds(entry.name, text) ||
         (descriptions && Holds(ReadEntryDescription(registry, entry), text));
}

std::optional<std::size_t> FindFrom(ToolListModel& list, Registry& registry, std::size_t from,
                                    std::u16string_view text, bool descriptions) {
  for (std::size_t i = from; i < list.EntryCount(); ++i) {
    if (Matches(registry, list.Entry(i), text, descriptions)) return i;
  }
  return std::nullopt;
}

// Highlights the entry and shows it, expanding its group when collapsed.
CommandOutcome Highlight(ToolListModel& list, std::size_t index) {
  CommandOutcome outcome;
  outcome.selection = std::vector<std::size_t>{index};
  outcome.reveal = index;
  const int group = list.Entry(index).group;
  const auto* shown = list.FindGroup(group);
  if (shown && shown->collapsed) {
    list.SetCollapsed(group, false);
    outcome.groupsChanged = true;
  }
  return outcome;
}

CommandOutcome TipOnly(std::u16string_view text, TipPlace place) {
  CommandOutcome outcome;
  outcome.tip = Tip{std::u16string(text), place};
  return outcome;
}

}  // namespace

CommandOutcome Finder::Enter(ToolListModel& list, Registry& registry, FinderText finder,
                             std::uint32_t optionsFlag) {
  if (finder.showingCue || finder.text.size() < kShortestSearch) return {};
  if (optionsFlag & options::kSearchDescriptions) {
    const auto hit = FindFrom(list, registry, 0, finder.text, true);
    if (!hit) return {};
    lastHit_ = hit;
    return Highlight(list, *hit);
  }
  CommandOutcome outcome;
  outcome.selection.emplace();
  for (std::size_t i = 0; i < list.EntryCount(); ++i) {
    if (Holds(list.Entry(i).name, finder.text)) outcome.selection->push_back(i);
  }
  return outcome;
}

CommandOutcome Finder::Next(ToolListModel& list, Registry& registry, FinderText finder,
                            std::uint32_t optionsFlag) {
  if (finder.showingCue || finder.text.empty()) {
    auto outcome = TipOnly(finder_text::kEnterText, TipPlace::Finder);
    outcome.focusFinder = true;
    return outcome;
  }
  const std::size_t from = lastHit_ ? *lastHit_ + 1 : 0;
  const bool descriptions = (optionsFlag & options::kSearchDescriptions) != 0;
  const auto hit = FindFrom(list, registry, from, finder.text, descriptions);
  lastHit_ = hit;
  if (!hit) return TipOnly(finder_text::kEndReached, TipPlace::Finder);
  return Highlight(list, *hit);
}

CommandOutcome BrowseTicked(ToolListModel& list, std::optional<std::size_t> highlighted) {
  const std::size_t from = highlighted ? *highlighted + 1 : 0;
  for (std::size_t i = from; i < list.EntryCount(); ++i) {
    if (list.Entry(i).ticked) return Highlight(list, i);
  }
  auto outcome = TipOnly(finder_text::kNoMoreTicked, TipPlace::BrowseLink);
  outcome.selection.emplace();
  return outcome;
}

}  // namespace kva
