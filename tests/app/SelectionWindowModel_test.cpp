#include "app/SelectionWindowModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "fakes/ScriptedInteraction.h"
#include "catalog/ToolListFixture.h"

namespace kva {
namespace {

using namespace kva::apptest;
namespace text = selection_text;

constexpr std::u16string_view kFolder = u"C:\\Kit\\Kelvara tools\\Saved Selections";

std::u16string InFolder(std::u16string_view file) {
  return std::u16string(kFolder) + u"\\" + std::u16string(file);
}

class SelectionWindowModelTest : public ToolListFixture {
 protected:
  SelectionWindowModel OpenWindow() {
    auto window = SelectionWindowModel::Open(files, interaction, kFolder);
    EXPECT_TRUE(window.has_value());
    return std::move(window).value();
  }
  void Keep(std::u16string_view file, std::u16string_view content = u"[6]\r\nRepair Delta=1\r\n") {
    WriteUtf16(InFolder(file), content);
  }

  ScriptedInteraction interaction;
};

TEST_F(SelectionWindowModelTest, OpeningCreatesTheFolderOrSaysItCannot) {
  ASSERT_TRUE(SelectionWindowModel::Open(files, interaction, kFolder));
  EXPECT_TRUE(IsFolder(files, kFolder));
  EXPECT_TRUE(interaction.shown.empty());

  files.WriteText(u"C:\\Blocked", "a file where the folder should be");
  EXPECT_FALSE(SelectionWindowModel::Open(files, interaction, u"C:\\Blocked\\Saved Selections"));
  EXPECT_EQ(interaction.shown, Names({text::kFolderFailed}));
}

TEST_F(SelectionWindowModelTest, ButtonsFollowTheHighlightAndTheTypedName) {
  Keep(u"Weekly.kvasel");
  Keep(u"Audit.kvasel");
  struct Case {
    const char* name;
    std::optional<std::size_t> row;
    std::u16string_view typed;
    SelectionButtons want;
  };
  const Case cases[] = {
      {"nothing", std::nullopt, u"", {false, false, false, false, true}},
      {"a name typed", std::nullopt, u"New", {false, false, false, true, true}},
      {"a row highlighted", 1, u"", {true, true, true, true, true}},
      {"past the last row", 7, u"", {false, false, false, false, true}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto window = OpenWindow();
    EXPECT_EQ(window.Names(), Names({u"Audit", u"Weekly"}));
    window.SetTypedName(c.typed);
    window.Highlight(c.row);
    const auto buttons = window.Buttons();
    EXPECT_EQ(buttons.load, c.want.load);
    EXPECT_EQ(buttons.merge, c.want.merge);
    EXPECT_EQ(buttons.remove, c.want.remove);
    EXPECT_EQ(buttons.save, c.want.save);
    EXPECT_TRUE(buttons.close);
    if (c.row == 1u) {
      EXPECT_EQ(window.TypedName(), u"Weekly") << "the name is copied";
    }
  }
}

TEST_F(SelectionWindowModelTest, SaveNewBlanksTheCharactersFileNamesCannotHold) {
  struct Case {
    std::u16string_view typed;
    std::u16string_view want;
  };
  const Case cases[] = {
      {u"Weekly: Jan", u"Weekly  Jan"},
      {u"a/b\\c:d*e?f\"g<h>i|j", u"a b c d e f g h i j"},
      {u"..\\..\\Windows", u".. .. Windows"},
      {u"<>", u"  "},
  };
  auto window = OpenWindow();
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.typed));
    interaction.shown.clear();
    window.SetTypedName(c.typed);
    const auto row = window.SaveTyped(list);
    ASSERT_TRUE(row);
    EXPECT_EQ(window.Names()[*row], c.want);
    EXPECT_TRUE(Exists(files, InFolder(std::u16string(c.want) + u".kvasel")));
    EXPECT_EQ(interaction.shown, Names({text::kSaved}));
  }
  EXPECT_EQ(window.Names(), Names({u"  ", u".. .. Windows", u"a b c d e f g h i j",
                                   u"Weekly  Jan"}));
}

TEST_F(SelectionWindowModelTest, SavingOverASelectionAsksFirst) {
  constexpr std::u16string_view kOld = u"[6]\r\nRepair Delta=1\r\n";
  Keep(u"Weekly.kvasel", kOld);
  auto window = OpenWindow();
  window.SetTypedName(u"weekly");

  interaction.answers = {msg::kNo};
  EXPECT_FALSE(window.SaveTyped(list));
  EXPECT_EQ(interaction.shown, Names({text::kOverwrite}));
  EXPECT_EQ(ReadUtf16(InFolder(u"Weekly.kvasel")), kOld);

  interaction.shown.clear();
  interaction.answers = {msg::kYes};
  EXPECT_EQ(window.SaveTyped(list), 0u);
  EXPECT_EQ(interaction.shown, Names({text::kOverwrite, text::kSaved}));
  EXPECT_EQ(window.Names(), Names({u"Weekly"})) << "listed once";
  EXPECT_NE(ReadUtf16(InFolder(u"Weekly.kvasel")), kOld);
}

TEST_F(SelectionWindowModelTest, SaveNewReportsWhatCouldNotBeSaved) {
  struct Case {
    const char* name;
    std::u16string_view typed;
    bool failWrite;
    bool oddName;
    std::u16string_view want;
  };
  const Case cases[] = {
      {"a name no line can hold", u"Partly", false, true, text::kSavedPartly},
      {"the file cannot be written", u"Failing", true, false, text::kSaveFailed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Reload();
    interaction.shown.clear();
    if (c.oddName) {
      ListEntry odd;
      odd.name = u"Odd=Named Tool";
      odd.group = 6;
      list.Append(odd);
    }
    auto window = OpenWindow();
    const auto path = InFolder(std::u16string(c.typed) + u".kvasel");
    if (c.failWrite) files.FailNext(FakeFileSystem::Call::kMoveTo, path);
    window.SetTypedName(c.typed);
    const auto row = window.SaveTyped(list);
    EXPECT_EQ(interaction.shown, Names({c.want}));
    EXPECT_EQ(row.has_value(), !c.failWrite);
    EXPECT_EQ(Exists(files, path), !c.failWrite);
    const auto& names = window.Names();
    EXPECT_EQ(std::find(names.begin(), names.end(), c.typed) != names.end(), !c.failWrite);
  }
}

TEST_F(SelectionWindowModelTest, LoadAndMergeApplyTheHighlightedFile) {
  Keep(u"Weekly.kvasel", u"[6]\r\nRepair Delta=1\r\nRepair Echo=0\r\n");
  for (const bool merge : {false, true}) {
    SCOPED_TRACE(merge ? "merge" : "load");
    Reload();
    Tick({u"Repair Echo"});
    auto window = OpenWindow();
    EXPECT_FALSE(window.ApplyHighlighted(list, registry, merge).applied) << "no row highlighted";
    window.Highlight(0);
    EXPECT_TRUE(window.ApplyHighlighted(list, registry, merge).applied);
    EXPECT_EQ(Ticked(), merge ? Names({u"Repair Delta", u"Repair Echo"}) : Names({u"Repair Delta"}));
  }
}

TEST_F(SelectionWindowModelTest, ASelectionThatCannotBeReadIsReportedAndChangesNothing) {
  struct Case {
    const char* name;
    std::function<void()> arrange;
    bool applied;
    std::u16string_view want;
  };
  const Case cases[] = {
      {"the file went away", [this] { files.RemoveFile(InFolder(u"Weekly.kvasel")); }, false,
       text::kLoadFailed},
      {"the file cannot be read",
       [this] { files.FailNext(FakeFileSystem::Call::kReadAll, InFolder(u"Weekly.kvasel")); },
       false, text::kLoadFailed},
      {"a tick cannot be kept",
       [this] { registry.FailNext(FakeRegistry::Call::kSetValue, reg::kAccessDenied); }, true,
       text::kLoadedPartly},
  };
  for (const bool merge : {false, true}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(merge ? "merge: " : "load: ") + c.name);
      Keep(u"Weekly.kvasel", u"[6]\r\nRepair Delta=1\r\nRepair Echo=0\r\n");
      Reload();
      Tick({u"Repair Echo"});
      const auto before = Ticked();
      interaction.shown.clear();
      auto window = OpenWindow();
      window.Highlight(0);
      c.arrange();
      EXPECT_EQ(window.ApplyHighlighted(list, registry, merge).applied, c.applied);
      EXPECT_EQ(interaction.shown, Names({c.want}));
      if (!c.applied) {
        EXPECT_EQ(Ticked(), before) << "nothing changed";
      }
    }
  }
}

TEST_F(SelectionWindowModelTest, DeleteRemovesTheRowOnlyWhenTheFileIsGone) {
  Keep(u"Audit.kvasel");
  Keep(u"Weekly.kvasel");
  files.SetAttributes(InFolder(u"Weekly.kvasel"), attr::kReadOnly);
  auto window = OpenWindow();

  window.Highlight(1);
  files.FailNext(FakeFileSystem::Call::kRemoveFile, InFolder(u"Weekly.kvasel"));
  window.DeleteHighlighted();
  EXPECT_EQ(interaction.shown, Names({text::kDeleteFailed}));
  EXPECT_EQ(window.Names(), Names({u"Audit", u"Weekly"}));

  interaction.shown.clear();
  files.SetAttributes(InFolder(u"Weekly.kvasel"), attr::kReadOnly);
  window.DeleteHighlighted();
  EXPECT_TRUE(interaction.shown.empty()) << "no confirmation, even for a read-only file";
  EXPECT_EQ(window.Names(), Names({u"Audit"}));
  EXPECT_FALSE(Exists(files, InFolder(u"Weekly.kvasel")));
  EXPECT_FALSE(window.Highlighted());
}

}  // namespace
}  // namespace kva
