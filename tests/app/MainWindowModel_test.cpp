#include "app/MainWindowModel.h"

#include <gtest/gtest.h>

#include "fakes/ScriptedInteraction.h"
#include "operations/OperationFlags.h"
#include "catalog/ToolListFixture.h"

namespace kva {
namespace {

using namespace kva::apptest;
using C = MainCommand;

class MainWindowModelTest : public ToolListFixture {
 protected:
  CommandOutcome Run(MainCommand command, std::optional<std::u16string_view> highlighted = {}) {
    CommandContext context;
    if (highlighted) context.highlighted = IndexOf(*highlighted);
    return window.Execute(command, context);
  }
  std::vector<std::u16string> Shown(int group) {
    std::vector<std::u16string> names;
    for (const auto& entry : list.EntriesOf(group)) names.push_back(entry.name);
    return names;
  }

  ScriptedInteraction interaction;
  MainWindowModel window{registry, list, state, interaction, {options::kDefault, true}};
};

TEST_F(MainWindowModelTest, TheFirstTickEnablesTheOperationsAndTheLastDisablesThem) {
  EXPECT_EQ(window.RefreshCounter().operationButtons, false);
  const auto index = IndexOf(u"Repair Delta");

  EXPECT_TRUE(window.TickChanged(index, true).ticksChanged);
  auto refresh = window.RefreshCounter();
  EXPECT_EQ(refresh.text, u"One tool ticked.  <a>Clear</a>");
  EXPECT_EQ(refresh.operationButtons, true);
  EXPECT_TRUE(refresh.browseEnabled);
  EXPECT_EQ(Dword(u"6\\Repair Delta", u"State"), 1u);

  window.TickChanged(index, false);
  refresh = window.RefreshCounter();
  EXPECT_EQ(refresh.text, u"No tools ticked.");
  EXPECT_EQ(refresh.operationButtons, false);
  EXPECT_FALSE(refresh.browseEnabled);
  EXPECT_EQ(Dword(u"6\\Repair Delta", u"State"), 0u);
}

TEST_F(MainWindowModelTest, FeaturesOfLaterVersionsSaySoAndChangeNothing) {
  const MainCommand later[] = {C::UninstallSelected, C::AddTools,    C::EditTool,
                               C::CreateSimilarTool, C::OnlineHelp, C::ExportQzxsr,
                               C::CheckInstalled};
  Tick({u"Repair Delta"});
  const auto before = registry.Snapshot(reg::kLocalMachine, u"kva_settings");
  for (const auto command : later) {
    SCOPED_TRACE(int(command));
    interaction.shown.clear();
    const auto outcome = Run(command, u"My Own Tool");
    EXPECT_EQ(interaction.shown, Names({main_text::kNotAvailable}));
    EXPECT_FALSE(outcome.ticksChanged || outcome.listChanged || outcome.restart);
  }
  EXPECT_EQ(registry.Snapshot(reg::kLocalMachine, u"kva_settings"), before);
  EXPECT_EQ(Ticked(), Names({u"Repair Delta"}));
}

TEST_F(MainWindowModelTest, OperationCommandsAskForTheirOperationWord) {
  struct Case {
    MainCommand command;
    OperationRequest request;
  };
  const auto index = IndexOf(u"7-Zip Portable");
  const Case cases[] = {
      {C::UpdateSelected, {op::kUpdate, std::nullopt}},
      {C::RunSelected, {op::kRun, std::nullopt}},
      {C::UpdateAndRunSelected, {op::kUpdate | op::kRun, std::nullopt}},
      {C::RunHighlighted, {op::kHighlighted, index}},
  };
  Tick({u"Repair Delta"});
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.command));
    EXPECT_EQ(Run(c.command, u"7-Zip Portable").operation, c.request);
    EXPECT_TRUE(MainWindowModel::LocksWindow(c.command)) << "nothing else runs meanwhile";
  }
}

TEST_F(MainWindowModelTest, LocationAndWebsiteGoToTheShellForTheHighlightedEntry) {
  const auto index = IndexOf(u"7-Zip Portable");
  EXPECT_EQ(Run(C::OpenLocation, u"7-Zip Portable").toolLink,
            (ToolLinkRequest{ToolLink::Location, index}));
  EXPECT_EQ(Run(C::GoToWebsite, u"7-Zip Portable").toolLink,
            (ToolLinkRequest{ToolLink::Website, index}));
  EXPECT_FALSE(Run(C::GoToWebsite).toolLink) << "nothing highlighted";
  EXPECT_TRUE(interaction.shown.empty());
}

TEST_F(MainWindowModelTest, CommandsTheMenuWouldDisableDoNothingFromTheKeyboard) {
  struct Case {
    const char* name;
    MainCommand command;
    std::optional<std::u16string_view> highlighted;
  };
  const Case cases[] = {
      {"edit without a highlight", C::EditTool, std::nullopt},
      {"delete a catalogue tool", C::DeleteTool, u"7-Zip Portable"},
      {"move down the last of a group", C::MoveDown, u"Short Uninstall"},
      {"move up the first of a group", C::MoveUp, u"7-Zip Portable"},
      {"add a favourite again", C::AddFavourite, u"Favourite One"},
      {"group ticks without a highlight", C::CheckGroupAll, std::nullopt},
  };
  const auto before = registry.Snapshot(reg::kLocalMachine, u"kva_settings");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto outcome = Run(c.command, c.highlighted);
    EXPECT_FALSE(outcome.listChanged || outcome.ticksChanged);
  }
  EXPECT_TRUE(interaction.shown.empty());
  EXPECT_EQ(registry.Snapshot(reg::kLocalMachine, u"kva_settings"), before);
}

TEST_F(MainWindowModelTest, HideAsksFirstAndHidesTheTickedTools) {
  EXPECT_FALSE(Run(C::HideSelected).listChanged);
  EXPECT_TRUE(interaction.shown.empty()) << "nothing ticked, nothing asked";

  Tick({u"WinZIP Installer", u"Repair Echo"});
  interaction.answers = {msg::kNo, msg::kYes};
  EXPECT_FALSE(Run(C::HideSelected).listChanged);
  const auto outcome = Run(C::HideSelected);
  EXPECT_EQ(interaction.shown, Names({main_text::kConfirmHide, main_text::kConfirmHide}));
  EXPECT_TRUE(outcome.listChanged && outcome.ticksChanged && outcome.enableRestoreHidden);
  EXPECT_EQ(outcome.selection, std::vector<std::size_t>{});
  EXPECT_EQ(Shown(5), Names({u"7-Zip Portable", u"Short Uninstall"}));
  EXPECT_EQ(Shown(6), Names({u"Repair Delta"}));
  EXPECT_EQ(window.RefreshCounter().text, u"No tools ticked.");
}

TEST_F(MainWindowModelTest, DeleteAsksFirstAndReportsAFailure) {
  interaction.answers = {msg::kNo};
  Run(C::DeleteTool, u"My Own Tool");
  EXPECT_EQ(Shown(2), Names({u"My Own Tool"}));

  interaction.answers = {msg::kYes};
  EXPECT_TRUE(Run(C::DeleteTool, u"My Own Tool").listChanged);
  EXPECT_TRUE(Shown(2).empty());
  EXPECT_FALSE(SettingsKeyExists(u"2\\My Own Tool"));

  // An own favourite whose order entry has gone cannot be deleted.
  Import(u"[HKLM\\kva_settings\\1]\n\"1\"=-\n");
  interaction.shown.clear();
  interaction.answers = {msg::kYes};
  EXPECT_FALSE(Run(C::DeleteTool, u"Own Favourite").listChanged);
  EXPECT_EQ(interaction.shown, Names({main_text::kConfirmDelete, main_text::kDeleteFailed}));
}

TEST_F(MainWindowModelTest, SortAllAsksThenSortsAndRestarts) {
  Import(uR"([HKLM\kva_settings\6]
"0"="Repair Echo"
"1"="Repair Delta"
)");
  EXPECT_FALSE(Run(C::SortAll).restart);
  EXPECT_EQ(Order(6), Names({u"Repair Echo", u"Repair Delta"}));
  interaction.answers = {msg::kYes};
  EXPECT_TRUE(Run(C::SortAll).restart);
  EXPECT_EQ(Order(6), Names({u"Repair Delta", u"Repair Echo"}));
  EXPECT_EQ(interaction.shown, Names({main_text::kConfirmSort, main_text::kConfirmSort}));
}

TEST_F(MainWindowModelTest, ASortThatFailsSaysSoAndDoesNotRestart) {
  // The favourites' list is written first; its first value is refused.
  registry.FailNext(FakeRegistry::Call::kSetValue, reg::kAccessDenied);
  interaction.answers = {msg::kYes};
  EXPECT_FALSE(Run(C::SortAll).restart);
  EXPECT_EQ(interaction.shown, Names({main_text::kConfirmSort, main_text::kSortFailed}));
  EXPECT_EQ(Order(1), Names({u"Favourite One", u"Own Favourite"})) << "nothing lost";
  EXPECT_EQ(Order(5), Names({u"7-Zip Portable", u"Favourite One", u"Short Uninstall",
                             u"WinZIP Installer"}))
      << "the other groups are sorted";
}

TEST_F(MainWindowModelTest, ATickThatCannotBeSavedStaysAndIsReported) {
  registry.FailNext(FakeRegistry::Call::kSetValue, reg::kAccessDenied);
  EXPECT_TRUE(window.TickChanged(IndexOf(u"Repair Delta"), true).ticksChanged);
  EXPECT_EQ(Ticked(), Names({u"Repair Delta"}));
  EXPECT_EQ(interaction.shown, Names({main_text::kTickNotSaved}));
  EXPECT_FALSE(Dword(u"6\\Repair Delta", u"State"));
}

TEST_F(MainWindowModelTest, MovedEntriesKeepTheHighlight) {
  auto outcome = Run(C::MoveUp, u"Short Uninstall");
  EXPECT_EQ(Shown(5), Names({u"7-Zip Portable", u"Short Uninstall", u"WinZIP Installer"}));
  EXPECT_EQ(Order(5)[1], u"Short Uninstall");
  EXPECT_EQ(outcome.selection, std::vector{IndexOf(u"Short Uninstall")});

  outcome = Run(C::AddFavourite, u"Repair Echo");
  EXPECT_TRUE(outcome.listChanged);
  EXPECT_EQ(Shown(1).back(), u"Repair Echo");
  EXPECT_EQ(outcome.selection, std::vector{IndexOf(u"Repair Echo")});

  outcome = Run(C::RemoveFavourite, u"Repair Echo");
  EXPECT_EQ(Shown(6), Names({u"Repair Delta", u"Repair Echo"}));
  EXPECT_EQ(outcome.selection, std::vector{IndexOf(u"Repair Echo")});
}

TEST_F(MainWindowModelTest, ClearCollapseAndExpandActOnTheWholeList) {
  Tick({u"Favourite One", u"Repair Echo"});
  EXPECT_TRUE(Run(C::ClearTicks).ticksChanged);
  EXPECT_TRUE(Ticked().empty());

  EXPECT_TRUE(Run(C::CollapseAll).groupsChanged);
  for (const auto& group : list.Groups()) EXPECT_TRUE(group.collapsed) << group.number;
  Run(C::ExpandAll);
  for (const auto& group : list.Groups()) EXPECT_FALSE(group.collapsed) << group.number;

  MainWindowModel old(registry, list, state, interaction, {options::kDefault, false});
  EXPECT_FALSE(old.Execute(C::CollapseAll, {}).groupsChanged) << "no collapsible groups";
  EXPECT_EQ(old.Accelerators().size(), 28u);
}

TEST_F(MainWindowModelTest, WindowsOpenForTheirCommands) {
  struct Case {
    MainCommand command;
    OpenWindow want;
  };
  const Case cases[] = {{C::LoadSaveSelection, OpenWindow::Selection},
                        {C::RestoreHidden, OpenWindow::RestoreHidden},
                        {C::About, OpenWindow::About},
                        {C::Settings, OpenWindow::ReportExplorer},
                        {C::ShowContextMenu, OpenWindow::ContextMenu}};
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.command));
    EXPECT_EQ(Run(c.command).open, c.want);
  }
  EXPECT_TRUE(Run(C::FocusFinder).focusFinder);
  EXPECT_TRUE(MainWindowModel::LocksWindow(C::LoadSaveSelection));
  EXPECT_FALSE(MainWindowModel::LocksWindow(C::OnlineHelp));
}

}  // namespace
}  // namespace kva
