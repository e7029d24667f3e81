#include "catalog/Selections.h"

#include <gtest/gtest.h>

#include <functional>

#include "catalog/ToolListFixture.h"
#include "catalog/Groups.h"

namespace kva {
namespace {

using namespace kva::apptest;

constexpr std::u16string_view kFolder = u"C:\\Kit\\Kelvara tools\\Saved Selections";
constexpr std::u16string_view kPath = u"C:\\Kit\\Kelvara tools\\Saved Selections\\Weekly.kvasel";

class SelectionsTest : public ToolListFixture {
 protected:
  void SetUp() override {
    ToolListFixture::SetUp();
    files.CreateFolders(kFolder);
  }
};

TEST_F(SelectionsTest, SaveWritesOneSectionPerGroupInListOrder) {
  Tick({u"7-Zip Portable", u"Repair Echo"});
  list.SetCollapsed(6, true);
  ASSERT_EQ(SaveSelection(list, files, kPath), SelectionSave::Complete);

  constexpr std::u16string_view kWant =
      u"[1]\r\nState=0\r\nFavourite One=0\r\nOwn Favourite=0\r\n"
      u"[2]\r\nState=0\r\nMy Own Tool=0\r\n"
      u"[5]\r\nState=0\r\n7-Zip Portable=1\r\nWinZIP Installer=0\r\nShort Uninstall=0\r\n"
      u"[6]\r\nState=1\r\nRepair Delta=0\r\nRepair Echo=1\r\n"
      u"[1001]\r\nState=0\r\n1-Auto-logon the current user=0\r\n";
  std::vector<std::uint8_t> bytes;
  ASSERT_TRUE(files.ReadAll(kPath, bytes));
  EXPECT_EQ(bytes, EncodeUtf16Le(kWant)) << "UTF-16LE with FF FE and CR LF";
}

TEST_F(SelectionsTest, SavingOverAFileKeepsTheLinesOfToolsNoLongerListed) {
  WriteUtf16(kPath, u"[5]\r\nState=0\r\n7-Zip Portable=0\r\nShort Uninstall=1\r\n\r\n");
  const std::size_t hidden[] = {IndexOf(u"Short Uninstall")};
  ASSERT_EQ(state.Hide(hidden), 1u);
  Tick({u"7-Zip Portable"});
  ASSERT_EQ(SaveSelection(list, files, kPath), SelectionSave::Complete);

  const auto text = ReadUtf16(kPath);
  ASSERT_TRUE(text);
  EXPECT_NE(text->find(u"[5]\r\nState=0\r\n7-Zip Portable=1\r\nShort Uninstall=1\r\n"
                       u"WinZIP Installer=0\r\n"),
            kNpos)
      << Utf16ToUtf8(*text);
  EXPECT_EQ(text->find(u"\r\n\r\n"), kNpos) << "empty lines are dropped";
}

TEST_F(SelectionsTest, ASaveThatCannotCompleteSaysSoAndKeepsTheOldFile) {
  constexpr std::u16string_view kOld = u"[5]\r\nShort Uninstall=1\r\n";
  struct Case {
    const char* name;
    std::function<void()> arrange;
    SelectionSave want;
    bool oldFileKept;
  };
  const Case cases[] = {
      {"the new file cannot be written",
       [this] { files.FailNext(FakeFileSystem::Call::kWriteAll, std::u16string(kPath) + u".new"); },
       SelectionSave::Failed, true},
      {"the new file is torn",
       [this] { files.TearNextWrite(std::u16string(kPath) + u".new", 10); },
       SelectionSave::Failed, true},
      {"the new file cannot replace the old",
       [this] { files.FailNext(FakeFileSystem::Call::kMoveTo, kPath); },
       SelectionSave::Failed, true},
      {"the old file cannot be read",
       [this] { files.FailNext(FakeFileSystem::Call::kReadAll, kPath); },
       SelectionSave::Failed, true},
      {"an empty list", [this] { list.Clear(); }, SelectionSave::Failed, true},
      {"a name no INI key can hold",
       [this] {
         ListEntry odd;
         odd.name = u"Odd=Named Tool";
         odd.group = 6;
         list.Append(odd);
       },
       SelectionSave::Partial, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Reload();
    WriteUtf16(kPath, kOld);
    c.arrange();
    EXPECT_EQ(SaveSelection(list, files, kPath), c.want);
    EXPECT_EQ(ReadUtf16(kPath) == kOld, c.oldFileKept);
    EXPECT_FALSE(Exists(files, std::u16string(kPath) + u".new")) << "nothing left beside it";
  }
}

TEST_F(SelectionsTest, ApplyTicksFromTheEntrysShownGroupAndWritesState) {
  struct Case {
    const char* name;
    bool merge;
    std::vector<std::u16string> wantTicked;
  };
  // Before: WinZIP and Repair Delta ticked. The file ticks 7-Zip (with a
  // value that is not 1), unticks WinZIP, leaves Repair Delta out, and
  // names Favourite One under its origin group, where it is not shown.
  const Case cases[] = {
      {"load replaces", false, {u"7-Zip Portable"}},
      {"merge only adds", true, {u"7-Zip Portable", u"WinZIP Installer", u"Repair Delta"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ClearHives();
    Import(kToolHives);
    Reload();
    Tick({u"WinZIP Installer", u"Repair Delta"});
    WriteUtf16(kPath, u"[5]\r\n7-Zip Portable=2\r\nWinZIP Installer=0\r\nFavourite One=1\r\n"
                      u"[1]\r\nFavourite One=0\r\n[6]\r\nUnknown Tool=1\r\n");
    const auto result = ApplySelection(list, registry, files, kPath, c.merge);
    EXPECT_TRUE(result.applied);
    EXPECT_TRUE(result.anyTicked);
    EXPECT_EQ(Ticked(), c.wantTicked);
    EXPECT_EQ(Dword(u"5\\7-Zip Portable", u"State"), 1u) << "a tick is stored as 1";
    EXPECT_EQ(Dword(u"1\\Favourite One", u"State"), 0u);
    EXPECT_EQ(Dword(u"6\\Repair Delta", u"State"), c.merge ? std::nullopt : std::optional(0u));
  }
}

TEST_F(SelectionsTest, ApplyWritesStateEvenWhenTicksAreNotSaved) {
  const ToolListLoadOptions noSavedTicks{options::kDefault & ~options::kSaveTicks};
  ASSERT_EQ(LoadToolList(registry, tiles, noSavedTicks, {}, list).code, 0);
  WriteUtf16(kPath, u"[6]\r\nRepair Echo=1\r\n");
  ASSERT_TRUE(ApplySelection(list, registry, files, kPath, false).applied);
  EXPECT_EQ(Dword(u"6\\Repair Echo", u"State"), 1u);
  EXPECT_EQ(Dword(u"2\\My Own Tool", u"State"), 0u);
}

TEST_F(SelectionsTest, GroupStatesNeedTheExactKeyName) {
  struct Case {
    const char* name;
    std::u16string_view line;
    bool wantCollapsed;
  };
  const Case cases[] = {
      {"State=1", u"State=1", true},
      {"blanks around the equals sign", u"State = 1", true},
      {"first letter in another case", u"state=1", false},
      {"zero", u"State=0", false},
      {"missing", u"", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    list.SetCollapsed(5, !c.wantCollapsed);
    WriteUtf16(kPath, u"[5]\r\n" + std::u16string(c.line) + u"\r\n");
    ASSERT_TRUE(ApplySelection(list, registry, files, kPath, false).applied);
    EXPECT_EQ(Collapsed(5), c.wantCollapsed);
  }
}

TEST_F(SelectionsTest, AMissingOrUnreadableFileChangesNothing) {
  Tick({u"Repair Delta"});
  EXPECT_FALSE(ApplySelection(list, registry, files, kPath, false).applied);
  WriteUtf16(kPath, u"[6]\r\nRepair Delta=0\r\n");
  files.FailNext(FakeFileSystem::Call::kReadAll, kPath);
  EXPECT_FALSE(ApplySelection(list, registry, files, kPath, false).applied);
  EXPECT_EQ(Ticked(), Names({u"Repair Delta"}));
  EXPECT_FALSE(Dword(u"6\\Repair Delta", u"State"));
}

TEST_F(SelectionsTest, ASavedSelectionAppliesBackToTheSameList) {
  Tick({u"Own Favourite", u"Short Uninstall", u"1-Auto-logon the current user"});
  list.SetCollapsed(2, true);
  ASSERT_EQ(SaveSelection(list, files, kPath), SelectionSave::Complete);
  Reload();
  EXPECT_TRUE(Ticked().empty());
  const auto result = ApplySelection(list, registry, files, kPath, false);
  EXPECT_TRUE(result.anyTicked);
  EXPECT_EQ(Ticked(),
            Names({u"Own Favourite", u"Short Uninstall", u"1-Auto-logon the current user"}));
  EXPECT_TRUE(Collapsed(2));
  EXPECT_FALSE(Collapsed(5));
}

TEST_F(SelectionsTest, ListingGivesTheSelectionNamesSorted) {
  for (auto name : {u"weekly.kvasel", u"Audit.KVASEL", u"notes.txt", u"Monthly.kvasel"}) {
    files.WriteText(std::u16string(kFolder) + u"\\" + name, "");
  }
  files.CreateFolders(std::u16string(kFolder) + u"\\Folder.kvasel");
  EXPECT_EQ(ListSelections(files, kFolder), Names({u"Audit", u"Monthly", u"weekly"}));
  EXPECT_TRUE(ListSelections(files, u"C:\\Nowhere").empty());
  EXPECT_EQ(SelectionFilePath(SavedSelectionsFolder(u"C:\\Kit\\Kelvara tools"), u"Weekly"), kPath);
}

}  // namespace
}  // namespace kva
