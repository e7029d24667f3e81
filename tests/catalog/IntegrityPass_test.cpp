#include "catalog/IntegrityPass.h"

#include <gtest/gtest.h>

#include "catalog/CatalogueFixture.h"
#include "platform/Text.h"

namespace kva {
namespace {

// Catalogue groups 1 to count, each an empty key.
std::u16string CatalogueGroups(int count) {
  std::u16string reg;
  for (int g = 1; g <= count; ++g) reg += u"[HKLM\\kva_tools\\" + ToDecimal(g) + u"]\n";
  return reg;
}

class IntegrityPassTest : public CatalogueFixture {};

TEST_F(IntegrityPassTest, ANewToolIsTheLastEntryOfItsGroupUnticked) {
  Import(CatalogueGroups(5) + uR"(
[HKLM\kva_tools\5\Tool Alpha]
[HKLM\kva_tools\5\Brand New Tool]
[HKLM\kva_tools\5\Tool Beta]
[HKLM\kva_settings\5]
"0"="Tool Beta"
"1"="tool alpha"
[HKLM\kva_settings\5\Tool Beta]
"State"=dword:00000001
)");
  EXPECT_TRUE(IntegrityPass(registry));
  EXPECT_EQ(Order(5), Names({u"Tool Beta", u"tool alpha", u"Brand New Tool"}));
  EXPECT_TRUE(SettingsKeyExists(u"5\\Brand New Tool"));
  EXPECT_FALSE(Dword(u"5\\Brand New Tool", u"State"));
  EXPECT_EQ(Dword(u"5\\Tool Beta", u"State"), 1u);
}

TEST_F(IntegrityPassTest, ARemovedTickedToolLosesItsStateAndItsEntry) {
  Import(CatalogueGroups(5) + uR"(
[HKLM\kva_tools\5\Tool Alpha]
[HKLM\kva_tools\5\Tool Gamma]
[HKLM\kva_tools\5\Tool Delta]
[HKLM\kva_settings\5]
"0"="Tool Alpha"
"1"="Vanished Tool"
"2"="Tool Gamma"
"3"="Tool Delta"
[HKLM\kva_settings\5\Vanished Tool]
"State"=dword:00000001
[HKLM\kva_settings\5\Vanished Tool\Leftover]
"x"="y"
[HKLM\kva_settings\5\Unlisted Old Tool]
)");
  EXPECT_TRUE(IntegrityPass(registry));
  EXPECT_EQ(Order(5), Names({u"Tool Alpha", u"Tool Gamma", u"Tool Delta"}));
  EXPECT_FALSE(String(u"5", u"3"));
  EXPECT_FALSE(SettingsKeyExists(u"5\\Vanished Tool"));
  EXPECT_FALSE(SettingsKeyExists(u"5\\Unlisted Old Tool"));
}

TEST_F(IntegrityPassTest, HiddenAndMovedToolsAreNotAppendedAgain) {
  Import(CatalogueGroups(5) + uR"(
[HKLM\kva_tools\5\Tool Alpha]
[HKLM\kva_tools\5\Hidden Tool]
[HKLM\kva_tools\5\Favourite Tool]
[HKLM\kva_tools\5\Listed Hidden Tool]
[HKLM\kva_settings\5]
"0"="Listed Hidden Tool"
"1"="Tool Alpha"
[HKLM\kva_settings\5\Hidden Tool]
"Hidden"=dword:00000001
[HKLM\kva_settings\5\Favourite Tool]
"MovedTo"=dword:00000001
[HKLM\kva_settings\5\Listed Hidden Tool]
"Hidden"=dword:00000001
)");
  EXPECT_TRUE(IntegrityPass(registry));
  EXPECT_EQ(Order(5), Names({u"Listed Hidden Tool", u"Tool Alpha"}));
}

TEST_F(IntegrityPassTest, AGroupTheCatalogueNoLongerHasIsDeleted) {
  Import(CatalogueGroups(22) + uR"(
[HKLM\kva_tools\24\Office Tool]
[HKLM\kva_settings\23]
"0"="Ransom Tool"
[HKLM\kva_settings\23\Ransom Tool]
"State"=dword:00000001
[HKLM\kva_settings\24]
"0"="Office Tool"
)");
  EXPECT_TRUE(IntegrityPass(registry));
  EXPECT_FALSE(SettingsKeyExists(u"23"));
  EXPECT_EQ(Order(24), Names({u"Office Tool"}));
  for (int g = 1; g <= 22; ++g) EXPECT_TRUE(SettingsKeyExists(ToDecimal(g))) << g;
}

TEST_F(IntegrityPassTest, FavouritesAndOwnToolsAreLeftAlone) {
  Import(CatalogueGroups(3) + uR"(
[HKLM\kva_settings\1]
"0"="Some Favourite"
[HKLM\kva_settings\1\Some Favourite]
"GroupId"=dword:00000003
[HKLM\kva_settings\2]
"0"="My Own Tool"
[HKLM\kva_settings\2\My Own Tool]
"command1"="%ToolsDir%\\Mine\\mine.exe"
)");
  EXPECT_TRUE(IntegrityPass(registry));
  EXPECT_EQ(Order(1), Names({u"Some Favourite"}));
  EXPECT_EQ(Order(2), Names({u"My Own Tool"}));
  EXPECT_TRUE(SettingsKeyExists(u"2\\My Own Tool"));
}

TEST_F(IntegrityPassTest, BuiltInRepairGroupsAreSynchronisedToo) {
  Import(CatalogueGroups(3) + uR"(
[HKLM\kva_tools\1001\1-Auto-logon the current user]
[HKLM\kva_tools\1002\2-Reset something]
[HKLM\kva_settings\1001]
"0"="9-Removed repair action"
)");
  EXPECT_TRUE(IntegrityPass(registry));
  EXPECT_EQ(Order(1001), Names({u"1-Auto-logon the current user"}));
  EXPECT_EQ(Order(1002), Names({u"2-Reset something"}));
}

TEST_F(IntegrityPassTest, AFailedWriteIsReportedAndTheRestIsDone) {
  Import(CatalogueGroups(4) + uR"(
[HKLM\kva_tools\3\Tool Alpha]
[HKLM\kva_tools\4\Tool Beta]
)");
  registry.FailNext(FakeRegistry::Call::kSetValue, reg::kAccessDenied);
  EXPECT_FALSE(IntegrityPass(registry));
  EXPECT_EQ(Order(4), Names({u"Tool Beta"}));
}

}  // namespace
}  // namespace kva
