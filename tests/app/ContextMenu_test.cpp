#include "app/ContextMenu.h"

#include <gtest/gtest.h>

#include "catalog/ToolListFixture.h"

namespace kva {
namespace {

using namespace kva::apptest;
using C = MainCommand;

class ContextMenuTest : public ToolListFixture {
 protected:
  std::vector<MainCommand> Disabled(std::optional<std::size_t> highlighted) {
    std::vector<MainCommand> disabled;
    for (const auto& entry : BuildContextMenu(list, highlighted, true)) {
      if (entry.command && !entry.enabled) disabled.push_back(*entry.command);
    }
    return disabled;
  }
};

TEST_F(ContextMenuTest, EntriesComeInOrderWithTheirShortcuts) {
  std::vector<std::u16string_view> texts;
  for (const auto& entry : BuildContextMenu(list, std::nullopt, true)) {
    texts.push_back(entry.command ? entry.text : u"-");
  }
  const std::vector<std::u16string_view> want = {
      u"Run highlighted tool\tCtrl+Enter", u"-", u"Add to favorite tools\tAlt+T",
      u"Remove from favorite tools\tAlt+R", u"-", u"Check all\tCtrl+A", u"Check none\tCtrl+N",
      u"Check all in this group\tAlt+A", u"Check none in this group\tAlt+N",
      u"Check all portable tools\tCtrl+P", u"Check all installing tools\tAlt+P",
      u"Check all installed apps\tCtrl+I", u"Load / Save selection\tCtrl+S", u"-",
      u"Move up\tCtrl+U", u"Move down\tCtrl+D", u"-", u"Export to QZXSR file\tAlt+U",
      u"Create similar tool\tAlt+S", u"Edit this tool\tCtrl+E", u"Delete this tool\tAlt+D",
      u"-", u"Open this tool's location\tCtrl+O", u"Go to this tool's website\tCtrl+W", u"-",
      u"Collapse all groups\tAlt+C", u"Expand all groups\tAlt+E",
      u"Sort all alphabetically\tShift+A"};
  EXPECT_EQ(texts, want);

  std::vector<std::u16string_view> withoutGroups;
  for (const auto& entry : BuildContextMenu(list, std::nullopt, false)) {
    withoutGroups.push_back(entry.command ? entry.text : u"-");
  }
  auto wantWithoutGroups = want;
  wantWithoutGroups.erase(wantWithoutGroups.end() - 3, wantWithoutGroups.end() - 1);
  EXPECT_EQ(withoutGroups, wantWithoutGroups);
}

TEST_F(ContextMenuTest, TheHighlightedEntryDecidesWhatIsEnabled) {
  struct Case {
    const char* name;
    std::optional<std::u16string_view> highlighted;
    std::vector<MainCommand> wantDisabled;  // in menu order
  };
  const Case cases[] = {
      {"nothing highlighted", std::nullopt,
       {C::RunHighlighted, C::AddFavourite, C::RemoveFavourite, C::CheckGroupAll,
        C::CheckGroupNone, C::MoveUp, C::MoveDown, C::ExportQzxsr, C::CreateSimilarTool,
        C::EditTool, C::DeleteTool, C::OpenLocation, C::GoToWebsite}},
      {"a favourite of the catalogue, first of its group", u"Favourite One",
       {C::AddFavourite, C::MoveUp, C::EditTool, C::DeleteTool}},
      {"an own tool shown as the last favourite", u"Own Favourite",
       {C::AddFavourite, C::MoveDown}},
      {"the only own tool", u"My Own Tool", {C::RemoveFavourite, C::MoveUp, C::MoveDown}},
      {"the last entry of a group", u"Short Uninstall",
       {C::RemoveFavourite, C::MoveDown, C::EditTool, C::DeleteTool}},
      {"the middle of a group", u"WinZIP Installer",
       {C::RemoveFavourite, C::EditTool, C::DeleteTool}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::optional<std::size_t> index;
    if (c.highlighted) index = IndexOf(*c.highlighted);
    EXPECT_EQ(Disabled(index), c.wantDisabled);
  }
  EXPECT_EQ(Disabled(list.EntryCount()), cases[0].wantDisabled) << "past the end: none";
}

}  // namespace
}  // namespace kva
