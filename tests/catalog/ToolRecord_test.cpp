#include "catalog/ToolRecord.h"

#include <gtest/gtest.h>

#include "catalog/CatalogueFixture.h"
#include "platform/RegistryAccess.h"
#include "platform/Text.h"

namespace kva {
namespace {

class ToolRecordTest : public CatalogueFixture {};

TEST_F(ToolRecordTest, AnEntryFindsItsRecordByNameAndShownGroup) {
  Import(uR"(
[HKLM\kva_settings\1\Favourite Tool]
"GroupId"=dword:00000005
[HKLM\kva_settings\1\Orphan Favourite]
[HKLM\kva_settings\1\Own Favourite]
"GroupId"=dword:00000002
[HKLM\kva_settings\1\Broken Favourite]
"GroupId"=dword:ffffffff
)");
  struct Case {
    std::u16string_view name;
    int shownGroup;
    int wantGroup;
    std::u16string_view wantKey;
  };
  const Case cases[] = {
      {u"Catalogue Tool", 7, 7, u"HKLM\\kva_tools\\7\\Catalogue Tool"},
      {u"My Own Tool", 2, 2, u"HKLM\\kva_settings\\2\\My Own Tool"},
      {u"Favourite Tool", 1, 5, u"HKLM\\kva_tools\\5\\Favourite Tool"},
      {u"Own Favourite", 1, 2, u"HKLM\\kva_settings\\2\\Own Favourite"},
      {u"Orphan Favourite", 1, 0, u"HKLM\\kva_tools\\0\\Orphan Favourite"},
      {u"Broken Favourite", 1, 0, u"HKLM\\kva_tools\\0\\Broken Favourite"},
      {u"1-Auto-logon the current user", 1001, 1001,
       u"HKLM\\kva_tools\\1001\\1-Auto-logon the current user"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.name));
    EXPECT_EQ(ResolveRecordGroup(registry, c.name, c.shownGroup), c.wantGroup);
    EXPECT_EQ(ResolveRecordKey(registry, c.name, c.shownGroup), c.wantKey);
  }
  EXPECT_EQ(StateKeyPath(u"Favourite Tool", 1), u"HKLM\\kva_settings\\1\\Favourite Tool");
}

TEST_F(ToolRecordTest, PortableToolsHaveNoUninstallCommand) {
  Import(uR"(
[HKLM\kva_tools\5\No Command]
[HKLM\kva_tools\5\Empty Command]
"UninstallCmd"=""
[HKLM\kva_tools\5\One Letter]
"UninstallCmd"="x"
[HKLM\kva_tools\5\Binary Bytes]
"UninstallCmd"=hex:01,02
[HKLM\kva_tools\5\Lookup]
"UninstallCmd"="UniKey=>HKLM32=>Advanced IP Scanner"
)");
  struct Case {
    std::u16string_view name;
    bool want;
  };
  const Case cases[] = {{u"No Command", true},
                        {u"Empty Command", true},
                        {u"One Letter", false},
                        {u"Binary Bytes", true},
                        {u"Lookup", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.name));
    RegKey record(registry);
    ASSERT_TRUE(Open(record, RecordKeyPath(c.name, 5), reg::kRead));
    EXPECT_EQ(IsPortable(record), c.want);
  }
}

TEST_F(ToolRecordTest, ARecordIsReadWhole) {
  Import(uR"(
[HKLM\kva_tools\10\Network Scanner]
"url1"="page"
"linktext1"="MajorGeeks"
"downloadfile"="%ToolsDir%\\Network Scanner\\scan.zip"
"command2"="->Unzip"
"flag1"=dword:00000011
"flag4"=dword:00000004
"CA3"="->WaitWindow2"
"UninstallCmd"="UniKey=>HKLM32=>Scanner"
"WindowsVersions"="6.1-50"
"iImage"=dword:000000a0
)");
  RegKey key(registry);
  ASSERT_TRUE(Open(key, RecordKeyPath(u"Network Scanner", 10), reg::kRead));
  const auto record = ReadToolRecord(key);
  EXPECT_EQ(record.url1, u"page");
  EXPECT_EQ(record.linkText1, u"MajorGeeks");
  EXPECT_EQ(record.downloadFile1, u"%ToolsDir%\\Network Scanner\\scan.zip");
  EXPECT_EQ(record.commands[1], u"->Unzip");
  EXPECT_EQ(record.commands[0], u"");
  EXPECT_EQ(record.flags[0], 0x11u);
  EXPECT_EQ(record.flags[3], 4u);
  EXPECT_EQ(record.scripts[2], u"->WaitWindow2");
  EXPECT_EQ(record.windowsVersions, u"6.1-50");
  EXPECT_EQ(record.image, 160u);
  EXPECT_FALSE(record.portable);
}

}  // namespace
}  // namespace kva
