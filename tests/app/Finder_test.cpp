#include "app/Finder.h"

#include <gtest/gtest.h>

#include "catalog/ToolListFixture.h"

namespace kva {
namespace {

using namespace kva::apptest;

constexpr std::uint32_t kByName = options::kDefault;
constexpr std::uint32_t kWithDescriptions = options::kDefault | options::kSearchDescriptions;

class FinderTest : public ToolListFixture {
 protected:
  // The hit's name, or the tip's text when nothing was highlighted.
  std::u16string Next(std::u16string_view text, std::uint32_t optionsFlag) {
    const auto outcome = finder.Next(list, registry, {text, false}, optionsFlag);
    if (outcome.tip) return outcome.tip->text;
    EXPECT_EQ(outcome.selection, std::vector<std::size_t>{*outcome.reveal});
    return list.Entry(*outcome.reveal).name;
  }

  Finder finder;
};

TEST_F(FinderTest, FindNextWalksTheHitsAndStartsAgainAfterTheEnd) {
  struct Case {
    const char* name;
    std::u16string_view text;
    std::uint32_t optionsFlag;
    std::vector<std::u16string> want;
  };
  const std::u16string end(finder_text::kEndReached);
  const Case cases[] = {
      {"names in any case", u"zip", kByName,
       {u"7-Zip Portable", u"WinZIP Installer", end, u"7-Zip Portable"}},
      {"descriptions too", u"ZIP", kWithDescriptions,
       {u"7-Zip Portable", u"WinZIP Installer", u"Repair Delta", end, u"7-Zip Portable"}},
      {"nothing matches", u"no such tool", kWithDescriptions, {end, end}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    finder.Forget();
    std::vector<std::u16string> got;
    for (std::size_t i = 0; i < c.want.size(); ++i) got.push_back(Next(c.text, c.optionsFlag));
    EXPECT_EQ(got, c.want);
  }
}

TEST_F(FinderTest, AHitInACollapsedGroupExpandsIt) {
  list.SetCollapsed(6, true);
  const auto outcome = finder.Next(list, registry, {u"repair", false}, kByName);
  EXPECT_EQ(outcome.reveal, IndexOf(u"Repair Delta"));
  EXPECT_TRUE(outcome.groupsChanged);
  EXPECT_FALSE(Collapsed(6));
}

TEST_F(FinderTest, FindNextWithoutTextAsksForIt) {
  for (const FinderText empty : {FinderText{u"", false}, FinderText{finder_text::kCue, true}}) {
    SCOPED_TRACE(Utf16ToUtf8(empty.text));
    const auto outcome = finder.Next(list, registry, empty, kByName);
    EXPECT_EQ(outcome.tip, (Tip{std::u16string(finder_text::kEnterText), TipPlace::Finder}));
    EXPECT_TRUE(outcome.focusFinder);
    EXPECT_FALSE(outcome.selection);
  }
}

TEST_F(FinderTest, EnterSelectsByNameOrHighlightsTheFirstHit) {
  struct Case {
    const char* name;
    FinderText finder;
    std::uint32_t optionsFlag;
    std::optional<std::vector<std::u16string>> wantSelected;
  };
  const Case cases[] = {
      {"every name holding the text", {u"ZIP", false}, kByName,
       Names({u"7-Zip Portable", u"WinZIP Installer"})},
      {"no name holds it: nothing stays selected", {u"archive", false}, kByName, Names({})},
      {"the first hit by name or description", {u"archive", false}, kWithDescriptions,
       Names({u"7-Zip Portable"})},
      {"fewer than three characters", {u"zi", false}, kByName, std::nullopt},
      {"the cue text", {finder_text::kCue, true}, kByName, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto outcome = finder.Enter(list, registry, c.finder, c.optionsFlag);
    std::optional<std::vector<std::u16string>> selected;
    if (outcome.selection) {
      selected.emplace();
      for (const auto index : *outcome.selection) selected->push_back(list.Entry(index).name);
    }
    EXPECT_EQ(selected, c.wantSelected);
  }
  // F3 goes on after the hit Enter highlighted.
  EXPECT_EQ(Next(u"archive", kWithDescriptions), u"Repair Delta");
}

TEST_F(FinderTest, BrowseTickedGoesToTheNextTickedEntryThenLetsGo) {
  Tick({u"My Own Tool", u"Repair Echo"});
  list.SetCollapsed(6, true);
  const auto first = BrowseTicked(list, std::nullopt);
  EXPECT_EQ(first.reveal, IndexOf(u"My Own Tool"));
  const auto second = BrowseTicked(list, first.reveal);
  EXPECT_EQ(second.reveal, IndexOf(u"Repair Echo"));
  EXPECT_FALSE(Collapsed(6));
  const auto end = BrowseTicked(list, second.reveal);
  EXPECT_EQ(end.tip,
            (Tip{std::u16string(finder_text::kNoMoreTicked), TipPlace::BrowseLink}));
  EXPECT_EQ(end.selection, std::vector<std::size_t>{}) << "the highlight goes";
}

}  // namespace
}  // namespace kva
