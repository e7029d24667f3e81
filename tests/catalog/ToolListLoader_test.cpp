#include "catalog/ToolListLoader.h"

#include <gtest/gtest.h>

#include "catalog/CatalogueFixture.h"
#include "catalog/Groups.h"
#include "catalog/ToolListModel.h"
#include "catalog/ToolTile.h"
#include "platform/Text.h"

namespace kva {
namespace {

// The built-in catalogue's shape: group keys 1 to 24 and 1001 with their
// names at the root, and a settings key for each.
std::u16string StandardHives() {
  std::u16string reg = u"[HKLM\\kva_tools]\n";
  for (int g = 1; g <= 24; ++g) {
    reg += u"\"" + ToDecimal(g) + u"\"=\"Group number " + ToDecimal(g) + u"\"\n";
  }
  for (int g = 1; g <= 24; ++g) reg += u"[HKLM\\kva_tools\\" + ToDecimal(g) + u"]\n";
  reg += u"[HKLM\\kva_tools\\1001]\n";
  for (int g = 1; g <= 24; ++g) reg += u"[HKLM\\kva_settings\\" + ToDecimal(g) + u"]\n";
  reg += u"[HKLM\\kva_settings\\1001]\n";
  return reg;
}

class ToolListLoaderTest : public CatalogueFixture {
 protected:
  ToolListLoadResult Load(ToolListLoadOptions options = {}) {
    const ToolTileReader tiles(registry, files, environment);
    ToolListLoadEvents events;
    events.status = [this](std::u16string_view text) { statuses.emplace_back(text); };
    events.progress = [this](int percent) { progress.push_back(percent); };
    events.applySelection = [this] { ++selectionsApplied; };
    return LoadToolList(registry, tiles, options, events, model);
  }
  const ListEntry* Find(std::u16string_view name, int group) {
    const auto index = model.Find(name, group);
    return index ? &model.Entry(*index) : nullptr;
  }

  ToolListModel model;
  std::vector<std::u16string> statuses;
  std::vector<int> progress;
  int selectionsApplied = 0;
};

TEST_F(ToolListLoaderTest, GroupsLoadInNumberOrderThenTheRepairActions) {
  Import(StandardHives() + uR"(
[HKLM\kva_tools]
"7"="Short"
"1001"="Whatever the catalogue says"
[-HKLM\kva_settings\9]
)");
  const auto result = Load();
  EXPECT_EQ(result.code, 0);
  std::vector<int> numbers;
  for (const auto& group : model.Groups()) numbers.push_back(group.number);
  std::vector<int> want;
  for (int g = 1; g <= 24; ++g) {
    if (g != 7 && g != 9) want.push_back(g);
  }
  want.push_back(kBuiltInRepair);
  EXPECT_EQ(numbers, want);
  EXPECT_EQ(model.FindGroup(5)->name, u"Group number 5");
  EXPECT_EQ(model.FindGroup(kBuiltInRepair)->name, kBuiltInRepairName);
  EXPECT_EQ(statuses, Names({u"Loading tools..."}));
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.front(), 0);
  EXPECT_EQ(progress.back(), 100);
}

TEST_F(ToolListLoaderTest, ACatalogueWithoutGroupsEndsLoading) {
  Import(u"[HKLM\\kva_tools]\n\"Version\"=dword:000001fd\n");
  model.AddGroup({3, u"Left from before"});
  const auto result = Load();
  EXPECT_EQ(result.code, kEmptyCatalogueCode);
  EXPECT_EQ(result.code, -14);
  EXPECT_EQ(model.Groups().size(), 1u);
}

TEST_F(ToolListLoaderTest, EntriesShowTheirIconAndSecondLine) {
  environment.SetVariable(u"ToolsDir", u"C:\\Kit\\Kelvara tools");
  files.WriteText(u"C:\\Kit\\Kelvara tools\\Tools Icons\\mine.png", "png");
  Import(StandardHives() + uR"(
[HKLM\kva_tools\5\Updated Tool]
"iImage"=dword:00000096
[HKLM\kva_tools\5\Fresh Catalogue Tool]
[HKLM\kva_tools\5\Favourite Tool]
"iImage"=dword:000000c8
[HKLM\kva_tools\11\Windows Tool One]
"iImage"=dword:00000097
[HKLM\kva_tools\18\Troubleshooter A]
[HKLM\kva_tools\18\Troubleshooter Download]
"url1"="page"
[HKLM\kva_tools\1001\1-Auto-logon the current user]
[HKLM\kva_tools\1001\8-Post repair reboot]
[HKLM\kva_tools\1001\9-Out of any section]
[HKLM\kva_settings\1]
"0"="Favourite Tool"
"1"="Orphan Favourite"
[HKLM\kva_settings\1\Favourite Tool]
"GroupId"=dword:00000005
[HKLM\kva_settings\2]
"0"="My Own Tool"
"1"="Own Without Icon"
"2"="Vanished Own Tool"
[HKLM\kva_settings\2\My Own Tool]
"Icon"="%ToolsDir%\\Tools Icons\\mine.png"
"LastUpdate"="2024-05-01 10:00"
[HKLM\kva_settings\2\Own Without Icon]
"Icon"="%ToolsDir%\\Tools Icons\\gone.png"
[HKLM\kva_settings\5]
"0"="Updated Tool"
"1"="Fresh Catalogue Tool"
"2"="Favourite Tool"
[HKLM\kva_settings\5\Updated Tool]
"LastUpdate"="2024-06-02 09:30"
[HKLM\kva_settings\5\Fresh Catalogue Tool]
"LastUpdate"=""
[HKLM\kva_settings\5\Favourite Tool]
"MovedTo"=dword:00000001
"LastUpdate"="2024-07-03 08:00"
[HKLM\kva_settings\11]
"0"="Windows Tool One"
[HKLM\kva_settings\18]
"0"="Troubleshooter A"
"1"="Troubleshooter Download"
[HKLM\kva_settings\18\Troubleshooter Download]
"LastUpdate"="2024-08-04 07:00"
[HKLM\kva_settings\1001]
"0"="1-Auto-logon the current user"
"1"="8-Post repair reboot"
"2"="9-Out of any section"
)");
  ASSERT_EQ(Load().code, 0);

  struct Case {
    std::u16string_view name;
    int group;
    int recordGroup;
    ToolIcon icon;
    std::u16string_view secondLine;
  };
  const Case cases[] = {
      {u"Updated Tool", 5, 5, {150, {}}, u"Updated: 2024-06-02 09:30"},
      {u"Fresh Catalogue Tool", 5, 5, {0, {}}, u"Never downloaded"},
      {u"Favourite Tool", 1, 5, {200, {}}, u"Updated: 2024-07-03 08:00"},
      {u"Orphan Favourite", 1, 0, {0, {}}, u"Never downloaded"},
      {u"My Own Tool", 2, 2, {0, u"C:\\Kit\\Kelvara tools\\Tools Icons\\mine.png"},
       u"Updated: 2024-05-01 10:00"},
      {u"Own Without Icon", 2, 2, {162, {}}, u"Never downloaded"},
      {u"Vanished Own Tool", 2, 2, {162, {}}, u"Never downloaded"},
      {u"Windows Tool One", 11, 11, {151, {}}, u"Windows built in tool"},
      {u"Troubleshooter A", 18, 18, {0, {}}, u"Windows troubleshooter"},
      {u"Troubleshooter Download", 18, 18, {0, {}}, u"Updated: 2024-08-04 07:00"},
      {u"1-Auto-logon the current user", 1001, 1001, {0, {}}, u"Pre-repair actions"},
      {u"8-Post repair reboot", 1001, 1001, {0, {}}, u"Post repair actions"},
      {u"9-Out of any section", 1001, 1001, {0, {}}, u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.name));
    const auto* entry = Find(c.name, c.group);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->recordGroup, c.recordGroup);
    EXPECT_EQ(entry->icon, c.icon);
    EXPECT_EQ(entry->secondLine, c.secondLine);
  }
  EXPECT_FALSE(Find(u"Favourite Tool", 5)) << "a favourite shows only in group 1";
}

TEST_F(ToolListLoaderTest, EntriesFollowTheOrderListAndSkipHiddenTools) {
  Import(StandardHives() + uR"(
[HKLM\kva_settings\5]
"0"="Tool Charlie"
"1"="Hidden Tool"
"2"="Tiny"
"3"="Tool Alpha"
[HKLM\kva_settings\5\Hidden Tool]
"Hidden"=dword:00000001
)");
  const auto result = Load();
  std::vector<std::u16string> shown;
  for (const auto& entry : model.EntriesOf(5)) shown.push_back(entry.name);
  EXPECT_EQ(shown, Names({u"Tool Charlie", u"Tool Alpha"}));
  EXPECT_TRUE(result.anyHidden);
}

TEST_F(ToolListLoaderTest, TicksComeBackOnlyWhenSavedAndNoSelectionIsPending) {
  Import(StandardHives() + uR"(
[HKLM\kva_settings\5]
"0"="Ticked Tool"
"1"="Unticked Tool"
"2"="Odd State Tool"
[HKLM\kva_settings\5\Ticked Tool]
"State"=dword:00000001
[HKLM\kva_settings\5\Unticked Tool]
"State"=dword:00000000
[HKLM\kva_settings\5\Odd State Tool]
"State"=dword:00000002
)");
  struct Case {
    const char* name;
    std::uint32_t optionsFlag;
    bool selectionPending;
    bool wantTicked;
    int wantSelectionsApplied;
  };
  const Case cases[] = {
      {"ticks saved", options::kDefault, false, true, 0},
      {"ticks not saved", options::kDefault & ~options::kSaveTicks, false, false, 0},
      {"selection pending", options::kDefault, true, false, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    selectionsApplied = 0;
    const auto result = Load({c.optionsFlag, c.selectionPending, true});
    EXPECT_EQ(Find(u"Ticked Tool", 5)->ticked, c.wantTicked);
    EXPECT_FALSE(Find(u"Unticked Tool", 5)->ticked);
    EXPECT_FALSE(Find(u"Odd State Tool", 5)->ticked);
    EXPECT_EQ(result.anyTicked, c.wantTicked);
    EXPECT_EQ(selectionsApplied, c.wantSelectionsApplied);
  }
}

TEST_F(ToolListLoaderTest, GroupsStartCollapsedOnlyWhenTheirStateIsSaved) {
  Import(StandardHives() + uR"(
[HKLM\kva_tools\5]
"GroupImage"=dword:000000e9
[HKLM\kva_settings\5]
"GroupState"=dword:00000001
[HKLM\kva_settings\6]
"GroupState"=dword:00000002
)");
  struct Case {
    const char* name;
    ToolListLoadOptions options;
    bool wantCollapsible;
    bool wantCollapsed;
    int wantImage;
  };
  const Case cases[] = {
      {"state saved", {options::kDefault, false, true}, true, true, 233},
      {"state not saved", {options::kDefault & ~options::kSaveGroupStates, false, true}, true,
       false, 0},
      {"selection pending", {options::kDefault, true, true}, true, false, 233},
      {"no collapsible groups", {options::kDefault, false, false}, false, false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Load(c.options);
    const auto* group = model.FindGroup(5);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->collapsible, c.wantCollapsible);
    EXPECT_EQ(group->collapsed, c.wantCollapsed);
    EXPECT_EQ(group->headerImage, c.wantImage);
    EXPECT_FALSE(model.FindGroup(6)->collapsed) << "only bit 0 of GroupState collapses";
  }
}

}  // namespace
}  // namespace kva
