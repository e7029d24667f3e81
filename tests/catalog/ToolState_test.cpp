#include "catalog/ToolState.h"

#include <gtest/gtest.h>

#include <functional>

#include "catalog/CatalogueFixture.h"
#include "catalog/Groups.h"
#include "catalog/Options.h"
#include "catalog/ToolListLoader.h"
#include "catalog/ToolListModel.h"
#include "catalog/ToolTile.h"
#include "platform/RegistryAccess.h"
#include "platform/Text.h"

namespace kva {
namespace {

// Forwards to the fake, but refuses to write one value name: lets a test
// stop an operation after its first writes.
class RefusingRegistry final : public Registry {
 public:
  explicit RefusingRegistry(Registry& inner) : inner_(inner) {}
  std::u16string refusedValue;

  RegStatus OpenKey(KeyHandle p, std::u16string_view s, std::uint32_t a, KeyHandle& o) override {
    return inner_.OpenKey(p, s, a, o);
  }
  RegStatus CreateKey(KeyHandle p, std::u16string_view s, std::uint32_t opt, std::uint32_t a,
                      KeyHandle& o) override {
    return inner_.CreateKey(p, s, opt, a, o);
  }
  void CloseKey(KeyHandle k) override { inner_.CloseKey(k); }
  RegStatus QueryValue(KeyHandle k, std::u16string_view n, RegValue& o) override {
    return inner_.QueryValue(k, n, o);
  }
  RegStatus SetValue(KeyHandle k, std::u16string_view n, std::uint32_t t,
                     std::span<const std::uint8_t> d) override {
    if (EqualsNoCase(n, refusedValue)) return reg::kAccessDenied;
    return inner_.SetValue(k, n, t, d);
  }
  RegStatus RemoveValue(KeyHandle k, std::u16string_view n) override {
    return inner_.RemoveValue(k, n);
  }
  RegStatus RemoveKey(KeyHandle p, std::u16string_view s, std::uint32_t v) override {
    return inner_.RemoveKey(p, s, v);
  }
  RegStatus EnumKey(KeyHandle k, std::uint32_t i, std::u16string& n) override {
    return inner_.EnumKey(k, i, n);
  }
  RegStatus EnumValue(KeyHandle k, std::uint32_t i, std::u16string& n) override {
    return inner_.EnumValue(k, i, n);
  }
  RegStatus QueryInfo(KeyHandle k, RegKeyInfo& o) override { return inner_.QueryInfo(k, o); }
  RegStatus LoadHive(KeyHandle r, std::u16string_view s, std::u16string_view f) override {
    return inner_.LoadHive(r, s, f);
  }
  RegStatus UnloadHive(KeyHandle r, std::u16string_view s) override {
    return inner_.UnloadHive(r, s);
  }
  RegStatus SaveHive(KeyHandle k, std::u16string_view f) override { return inner_.SaveHive(k, f); }
  RegStatus ResetSecurity(KeyHandle k) override { return inner_.ResetSecurity(k); }

 private:
  Registry& inner_;
};

// Groups 1, 2, 5, 6 and 1001 with a few tools each; the list is filled by
// the real loader, as the program does.
constexpr std::u16string_view kHives = uR"(
[HKLM\kva_tools]
"1"="My favorite tools"
"2"="My own tools"
"3"="Anti rootkit/bootkit tools"
"4"="Malware removal tools"
"5"="Adware removal tools"
"6"="System repair tools"
[HKLM\kva_tools\1]
[HKLM\kva_tools\2]
[HKLM\kva_tools\3]
[HKLM\kva_tools\4]
[HKLM\kva_tools\5\Tool Alpha]
"iImage"=dword:00000096
[HKLM\kva_tools\5\Tool Bravo]
[HKLM\kva_tools\5\Tool Charlie]
[HKLM\kva_tools\5\Favourite One]
[HKLM\kva_tools\6\Repair Delta]
[HKLM\kva_tools\6\Repair Echo]
[HKLM\kva_tools\1001\1-Auto-logon the current user]
[HKLM\kva_settings\1]
"0"="Favourite One"
"1"="Own Favourite"
[HKLM\kva_settings\1\Favourite One]
"GroupId"=dword:00000005
"State"=dword:00000001
[HKLM\kva_settings\1\Own Favourite]
"GroupId"=dword:00000002
[HKLM\kva_settings\2]
"0"="My Own Tool"
"1"="Second Own Tool"
"2"="Own Favourite"
[HKLM\kva_settings\2\My Own Tool]
"command1"="mine.exe"
[HKLM\kva_settings\2\Second Own Tool]
[HKLM\kva_settings\2\Own Favourite]
"MovedTo"=dword:00000001
[HKLM\kva_settings\3]
[HKLM\kva_settings\4]
[HKLM\kva_settings\5]
"0"="Tool Alpha"
"1"="Tool Bravo"
"2"="Tool Charlie"
"3"="Favourite One"
[HKLM\kva_settings\5\Tool Alpha]
"State"=dword:00000001
[HKLM\kva_settings\5\Tool Bravo]
[HKLM\kva_settings\5\Tool Charlie]
[HKLM\kva_settings\5\Favourite One]
"MovedTo"=dword:00000001
"LastUpdate"="2024-07-03 08:00"
[HKLM\kva_settings\6]
"0"="Repair Delta"
"1"="Repair Echo"
[HKLM\kva_settings\1001]
"0"="1-Auto-logon the current user"
)";

class ToolStateTest : public CatalogueFixture {
 protected:
  void SetUp() override {
    Import(kHives);
    Reload();
  }
  void Reload() {
    ASSERT_EQ(LoadToolList(registry, tiles, {}, {}, model).code, 0);
  }
  std::size_t IndexOf(std::u16string_view name, int group) {
    const auto index = model.Find(name, group);
    EXPECT_TRUE(index.has_value()) << Utf16ToUtf8(name) << " in " << group;
    return index.value_or(model.EntryCount());
  }
  std::vector<std::u16string> Shown(int group) {
    std::vector<std::u16string> names;
    for (const auto& entry : model.EntriesOf(group)) names.push_back(entry.name);
    return names;
  }
  std::optional<FakeKey> Settings() {
    return registry.Snapshot(reg::kLocalMachine, u"kva_settings");
  }

  ToolTileReader tiles{registry, files, environment};
  ToolListModel model;
  ToolState state{registry, model, tiles};
};

TEST_F(ToolStateTest, SaveTickWritesStateOnlyWhenTicksAreSaved) {
  struct Case {
    const char* name;
    std::uint32_t optionsFlag;
    bool ticked;
    std::optional<std::uint32_t> want;
  };
  const Case cases[] = {
      {"tick saved", options::kDefault, true, 1},
      {"untick saved", options::kDefault, false, 0},
      {"ticks not saved", options::kDefault & ~options::kSaveTicks, true, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Import(u"[HKLM\\kva_settings\\5\\Tool Bravo]\n\"State\"=-\n");
    EXPECT_TRUE(state.SaveTick(IndexOf(u"Tool Bravo", 5), c.ticked, c.optionsFlag));
    EXPECT_EQ(Dword(u"5\\Tool Bravo", u"State"), c.want);
  }
}

TEST_F(ToolStateTest, HiddenToolsGoToTheEndOfTheirListAndComeBackLast) {
  const std::size_t indices[] = {IndexOf(u"Tool Alpha", 5), IndexOf(u"Tool Bravo", 5),
                                 IndexOf(u"Repair Echo", 6)};
  EXPECT_EQ(state.Hide(indices), 3u);
  EXPECT_EQ(Shown(5), Names({u"Tool Charlie"}));
  EXPECT_EQ(Shown(6), Names({u"Repair Delta"}));
  // Hiding the last entry leaves it where it is.
  EXPECT_EQ(Order(5), Names({u"Tool Charlie", u"Favourite One", u"Tool Bravo", u"Tool Alpha"}));
  EXPECT_EQ(Order(6), Names({u"Repair Delta", u"Repair Echo"}));
  EXPECT_EQ(Dword(u"5\\Tool Alpha", u"Hidden"), 1u);
  EXPECT_EQ(state.ListHidden(),
            (std::vector<HiddenTool>{{u"Tool Alpha", 5}, {u"Tool Bravo", 5}, {u"Repair Echo", 6}}));

  ASSERT_TRUE(state.Restore(u"Tool Bravo", 5));
  ASSERT_TRUE(state.Restore(u"Tool Alpha", 5));
  EXPECT_EQ(Shown(5), Names({u"Tool Charlie", u"Tool Bravo", u"Tool Alpha"}));
  EXPECT_EQ(Order(5), Names({u"Tool Charlie", u"Favourite One", u"Tool Bravo", u"Tool Alpha"}));
  EXPECT_FALSE(Dword(u"5\\Tool Alpha", u"Hidden"));
  const auto& restored = model.Entry(IndexOf(u"Tool Alpha", 5));
  EXPECT_TRUE(restored.ticked);
  EXPECT_EQ(restored.icon.imageId, 150);
  EXPECT_EQ(restored.secondLine, u"Updated: Never");
  EXPECT_FALSE(state.Restore(u"Tool Alpha", 5)) << "already shown";

  Reload();
  EXPECT_EQ(Shown(5), Names({u"Tool Charlie", u"Tool Bravo", u"Tool Alpha"}));
}

TEST_F(ToolStateTest, ARestoredToolShowsItsLastUpdateWhereTheLoaderReadsIt) {
  Import(uR"(
[HKLM\kva_settings\5\Tool Bravo]
"LastUpdate"="2024-05-01 10:15"
[HKLM\kva_settings\2\Second Own Tool]
"LastUpdate"="2024-06-02 11:30"
[HKLM\kva_settings\1\Favourite One]
"LastUpdate"="only the origin's state counts"
)");
  struct Case {
    const char* name;
    std::u16string_view tool;
    int group;
    std::u16string_view want;
  };
  const Case cases[] = {
      {"catalogue tool", u"Tool Bravo", 5, u"Updated: 2024-05-01 10:15"},
      {"never updated", u"Tool Charlie", 5, u"Updated: Never"},
      {"own tool: record and state share a key", u"Second Own Tool", 2,
       u"Updated: 2024-06-02 11:30"},
      {"favourite: its origin's state", u"Favourite One", 1, u"Updated: 2024-07-03 08:00"},
      {"built-in repair keeps its section", u"1-Auto-logon the current user", 1001,
       u"Pre-repair actions"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::size_t index[] = {IndexOf(c.tool, c.group)};
    ASSERT_EQ(state.Hide(index), 1u);
    ASSERT_TRUE(state.Restore(c.tool, c.group));
    EXPECT_EQ(model.Entry(IndexOf(c.tool, c.group)).secondLine, c.want);
  }
}

TEST_F(ToolStateTest, ListHiddenStopsAtTheFirstMissingGroupThenLooksAt1001) {
  Import(uR"(
[HKLM\kva_settings\4\Hidden In Four]
"Hidden"=dword:00000001
[HKLM\kva_settings\5\Favourite One]
"Hidden"=dword:00000001
[HKLM\kva_settings\8\Beyond The Gap]
"Hidden"=dword:00000001
[HKLM\kva_settings\1001\7-Hidden repair]
"Hidden"=dword:00000001
)");
  EXPECT_EQ(state.ListHidden(),
            (std::vector<HiddenTool>{{u"Hidden In Four", 4}, {u"7-Hidden repair", 1001}}));
}

TEST_F(ToolStateTest, AHideThatCannotBeWrittenLeavesTheEntry) {
  registry.FailNext(FakeRegistry::Call::kSetValue, reg::kAccessDenied);
  const std::size_t indices[] = {IndexOf(u"Tool Bravo", 5)};
  EXPECT_EQ(state.Hide(indices), 0u);
  EXPECT_EQ(Shown(5), Names({u"Tool Alpha", u"Tool Bravo", u"Tool Charlie"}));
  EXPECT_FALSE(Dword(u"5\\Tool Bravo", u"Hidden"));
}

TEST_F(ToolStateTest, AddFavouriteAppendsToGroupOneAndMovesTheOriginEntryToTheEnd) {
  struct Case {
    const char* name;
    bool hiddenFavourite;  // group 1's list also names a hidden favourite
    std::u16string_view slot;
  };
  const Case cases[] = {{"three shown", false, u"3"}, {"a hidden favourite last", true, u"4"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ClearHives();
    Import(kHives);
    Import(uR"(
[HKLM\kva_settings\1]
"2"="Third Favourite"
[HKLM\kva_settings\1\Third Favourite]
"GroupId"=dword:00000006
)");
    if (c.hiddenFavourite) {
      Import(uR"(
[HKLM\kva_settings\1]
"3"="Hidden Favourite"
[HKLM\kva_settings\1\Hidden Favourite]
"GroupId"=dword:00000006
"Hidden"=dword:00000001
)");
    }
    Reload();
    ASSERT_EQ(Shown(1).size(), 3u);
    ASSERT_TRUE(state.AddFavourite(IndexOf(u"Tool Alpha", 5)));
    EXPECT_EQ(Shown(1).back(), u"Tool Alpha");
    EXPECT_EQ(Shown(5), Names({u"Tool Bravo", u"Tool Charlie"}));
    EXPECT_EQ(String(u"1", c.slot), u"Tool Alpha");
    if (c.hiddenFavourite) {
      EXPECT_EQ(String(u"1", u"3"), u"Hidden Favourite");
    }
    EXPECT_EQ(Dword(u"1\\Tool Alpha", u"GroupId"), 5u);
    EXPECT_EQ(Dword(u"1\\Tool Alpha", u"State"), 1u);
    EXPECT_EQ(Dword(u"1\\Tool Alpha", u"Hidden"), 0u);
    EXPECT_EQ(Dword(u"5\\Tool Alpha", u"MovedTo"), 1u);
    EXPECT_EQ(Order(5), Names({u"Tool Bravo", u"Tool Charlie", u"Favourite One", u"Tool Alpha"}));
    const auto& favourite = model.Entry(IndexOf(u"Tool Alpha", 1));
    EXPECT_EQ(favourite.recordGroup, 5);
    EXPECT_EQ(favourite.icon.imageId, 150);

    Reload();
    EXPECT_EQ(Shown(1).back(), u"Tool Alpha");
    EXPECT_FALSE(model.Find(u"Tool Alpha", 5));
  }
}

TEST_F(ToolStateTest, AFavouriteThatCannotBeCompletedIsUndone) {
  RefusingRegistry refusing(registry);
  refusing.refusedValue = u"GroupId";
  ToolState failing(refusing, model, tiles);
  const auto before = Settings();
  EXPECT_FALSE(failing.AddFavourite(IndexOf(u"Tool Bravo", 5)));
  EXPECT_EQ(Settings(), before);
  EXPECT_EQ(Shown(5), Names({u"Tool Alpha", u"Tool Bravo", u"Tool Charlie"}));
  EXPECT_EQ(Shown(1), Names({u"Favourite One", u"Own Favourite"}));
}

TEST_F(ToolStateTest, RemoveFavouriteReturnsTheEntryToItsPlace) {
  ASSERT_TRUE(state.RemoveFavourite(IndexOf(u"Favourite One", 1)));
  EXPECT_EQ(Shown(1), Names({u"Own Favourite"}));
  EXPECT_EQ(Order(1), Names({u"Own Favourite"}));
  EXPECT_EQ(Shown(5), Names({u"Tool Alpha", u"Tool Bravo", u"Tool Charlie", u"Favourite One"}));
  EXPECT_FALSE(SettingsKeyExists(u"1\\Favourite One"));
  EXPECT_FALSE(Dword(u"5\\Favourite One", u"MovedTo"));
  EXPECT_EQ(Dword(u"5\\Favourite One", u"State"), 1u);
  EXPECT_EQ(Dword(u"5\\Favourite One", u"Hidden"), 0u);
  const auto& entry = model.Entry(IndexOf(u"Favourite One", 5));
  EXPECT_EQ(entry.secondLine, u"Updated: 2024-07-03 08:00");

  Reload();
  EXPECT_EQ(Shown(5), Names({u"Tool Alpha", u"Tool Bravo", u"Tool Charlie", u"Favourite One"}));
}

TEST_F(ToolStateTest, ARemovedFavouriteTakesItsPlaceInTheMiddleOfItsGroup) {
  Import(uR"(
[HKLM\kva_settings\5]
"1"="Favourite One"
"3"="Tool Bravo"
)");
  Reload();
  ASSERT_TRUE(state.RemoveFavourite(IndexOf(u"Favourite One", 1)));
  EXPECT_EQ(Shown(5), Names({u"Tool Alpha", u"Favourite One", u"Tool Charlie", u"Tool Bravo"}));
}

TEST_F(ToolStateTest, DeleteOwnToolRemovesRecordStateAndOrderEntries) {
  ASSERT_TRUE(state.DeleteOwnTool(IndexOf(u"My Own Tool", 2)));
  EXPECT_EQ(Shown(2), Names({u"Second Own Tool"}));
  EXPECT_EQ(Order(2), Names({u"Second Own Tool", u"Own Favourite"}));
  EXPECT_FALSE(SettingsKeyExists(u"2\\My Own Tool"));

  ASSERT_TRUE(state.DeleteOwnTool(IndexOf(u"Own Favourite", 1)));
  EXPECT_EQ(Shown(1), Names({u"Favourite One"}));
  EXPECT_EQ(Order(1), Names({u"Favourite One"}));
  EXPECT_EQ(Order(2), Names({u"Second Own Tool"}));
  EXPECT_FALSE(SettingsKeyExists(u"1\\Own Favourite"));
  EXPECT_FALSE(SettingsKeyExists(u"2\\Own Favourite"));

  EXPECT_FALSE(state.DeleteOwnTool(IndexOf(u"Favourite One", 1))) << "a catalogue tool";
}

TEST_F(ToolStateTest, SwapExchangesNeighboursOfOneGroupOnly) {
  ASSERT_TRUE(state.Swap(IndexOf(u"Tool Bravo", 5), IndexOf(u"Tool Charlie", 5)));
  EXPECT_EQ(Shown(5), Names({u"Tool Alpha", u"Tool Charlie", u"Tool Bravo"}));
  EXPECT_EQ(Order(5), Names({u"Tool Alpha", u"Tool Charlie", u"Tool Bravo", u"Favourite One"}));

  const auto before = Settings();
  const auto first5 = IndexOf(u"Tool Alpha", 5);
  EXPECT_FALSE(state.Swap(first5, first5 - 1)) << "move up on the first entry of a group";
  EXPECT_FALSE(state.Swap(first5, first5));
  EXPECT_EQ(Settings(), before);
}

TEST_F(ToolStateTest, SortAllSortsEveryListedGroupAndAsksForARestart) {
  Import(uR"(
[HKLM\kva_settings\6]
"0"="repair Echo"
"1"="Repair delta"
[HKLM\kva_settings\9]
"0"="Zulu Unlisted"
"1"="Alpha Unlisted"
)");
  const auto result = state.SortAll();
  EXPECT_TRUE(result.restart);
  EXPECT_TRUE(result.complete);
  EXPECT_EQ(Order(5), Names({u"Favourite One", u"Tool Alpha", u"Tool Bravo", u"Tool Charlie"}));
  EXPECT_EQ(Order(6), Names({u"Repair delta", u"repair Echo"}));
  EXPECT_EQ(Order(9), Names({u"Zulu Unlisted", u"Alpha Unlisted"})) << "not in the list";
}

// Entries whose name is too short, or that their order list does not name,
// are refused by every operation, which then changes nothing.
TEST_F(ToolStateTest, OperationsRefuseShortNamesAndUnlistedEntries) {
  model.AddGroup({7, u"Group seven"});
  Import(uR"(
[HKLM\kva_settings\7]
"0"="Tiny"
"1"="Listed Tool"
[HKLM\kva_settings\7\Tiny]
"Hidden"=dword:00000001
[HKLM\kva_settings\7\Unlisted Hidden]
"Hidden"=dword:00000001
[HKLM\kva_settings\1\Unlisted Favourite]
"GroupId"=dword:00000005
)");
  const auto append = [this](std::u16string_view name, int group, int recordGroup) {
    ListEntry entry;
    entry.name = std::u16string(name);
    entry.group = group;
    entry.recordGroup = recordGroup;
    return *model.Append(entry);
  };
  // Earlier groups first, so that later appends leave these indices valid.
  const auto unlistedFavourite = append(u"Unlisted Favourite", 1, 5);
  const auto unlistedOwn = append(u"Unlisted Own Tool", 2, 2);
  const auto tiny = append(u"Tiny", 7, 7);
  const auto listed = append(u"Listed Tool", 7, 7);
  const auto unlisted = append(u"Unlisted Tool", 7, 7);
  struct Case {
    const char* name;
    std::function<bool()> operation;
  };
  const Case cases[] = {
      {"tick a short name", [&] { return state.SaveTick(tiny, true, options::kDefault); }},
      {"hide a short name", [&] { return state.Hide(std::vector{tiny}) > 0; }},
      {"hide an unlisted entry", [&] { return state.Hide(std::vector{unlisted}) > 0; }},
      {"restore a short name", [&] { return state.Restore(u"Tiny", 7); }},
      {"restore an unlisted tool", [&] { return state.Restore(u"Unlisted Hidden", 7); }},
      {"favour a short name", [&] { return state.AddFavourite(tiny); }},
      {"favour an unlisted entry", [&] { return state.AddFavourite(unlisted); }},
      {"unfavour an unlisted favourite", [&] { return state.RemoveFavourite(unlistedFavourite); }},
      {"unfavour a non-favourite", [&] { return state.RemoveFavourite(listed); }},
      {"delete an unlisted own tool", [&] { return state.DeleteOwnTool(unlistedOwn); }},
      {"swap with a short name", [&] { return state.Swap(tiny, listed); }},
      {"swap with an unlisted entry", [&] { return state.Swap(listed, unlisted); }},
      {"past the end", [&] { return state.AddFavourite(model.EntryCount()); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto before = Settings();
    const auto entries = model.EntryCount();
    EXPECT_FALSE(c.operation());
    EXPECT_EQ(Settings(), before);
    EXPECT_EQ(model.EntryCount(), entries);
  }
}

TEST(OptionsFlag, AMissingValueIsWrittenAsTheDefault) {
  FakeRegistry registry;
  registry.WriteHiveFile(u"s.dat", FakeKey{u"s", {}, {}});
  ASSERT_EQ(registry.LoadHive(reg::kLocalMachine, u"kva_settings", u"s.dat"), reg::kSuccess);
  EXPECT_EQ(LoadOptionsFlag(registry), 199u);
  EXPECT_EQ(registry.Snapshot(reg::kLocalMachine, u"kva_settings")->values.at(0).value,
            DwordValue(199));
  ASSERT_TRUE(SaveOptionsFlag(registry, 0x8002));
  EXPECT_EQ(LoadOptionsFlag(registry), 0x8002u);
}

}  // namespace
}  // namespace kva
