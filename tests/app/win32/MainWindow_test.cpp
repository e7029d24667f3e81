#include "app/win32/MainWindow.h"

#include <array>
#include <string>

#include "GuiFixture.h"
#include "MainWindowFixture.h"
#include "Screenshot.h"
#include "WindowDriver.h"
#include "app/win32/AcceleratorTable.h"
#include "app/win32/DescriptionTipWindow.h"
#include "platform/Text.h"

namespace kva::win32::test {
namespace {

using ui::test::FindChild;
using ui::test::PressKey;

constexpr std::array kOperations = {MainCommand::UpdateSelected, MainCommand::RunSelected,
                                    MainCommand::UpdateAndRunSelected, MainCommand::HideSelected,
                                    MainCommand::UninstallSelected};

TEST_F(MainWindowTest, TickingTheFirstToolEnablesTheOperationsAndCountsIt) {
  struct Stage {
    const char* name;
    bool wantEnabled;
    std::u16string_view wantCounter;
  };
  const Stage stages[] = {
      {"before any tick", false, u"No tools ticked."},
      {"first tool ticked", true, u"One tool ticked.  <a>Clear</a>"},
      {"ticked again: unticked", false, u"No tools ticked."},
  };
  for (const auto& stage : stages) {
    SCOPED_TRACE(stage.name);
    if (&stage != &stages[0]) ClickCheckBox(0);
    for (MainCommand command : kOperations) {
      EXPECT_EQ(Panel(command).IsEnabled(), stage.wantEnabled) << int(command);
    }
    EXPECT_EQ(Panel(MainCommand::BrowseTicked).IsEnabled(), stage.wantEnabled);
    EXPECT_EQ(Panel(MainCommand::ClearTicks).Text(), stage.wantCounter);
    EXPECT_EQ(list.Entry(0).ticked, stage.wantEnabled);
  }
  EXPECT_TRUE(Panel(MainCommand::AddTools).IsEnabled());
  EXPECT_FALSE(Panel(MainCommand::RestoreHidden).IsEnabled()) << "nothing is hidden";
}

TEST_F(MainWindowTest, AnOperationRunsWithTheWindowLocked) {
  ClickCheckBox(0);
  std::optional<OperationRequest> asked;
  bool lockedMeanwhile = false;
  parts->runOperation = [&](const OperationRequest& request) {
    asked = request;
    lockedMeanwhile = !Panel(MainCommand::RunSelected).IsEnabled() &&
                      !::IsWindowEnabled(ListWindow()) &&
                      !::IsWindowEnabled(window->Header().Finder().Handle());
  };
  ClickAt(Panel(MainCommand::UpdateAndRunSelected).Handle(), {5, 5});
  ASSERT_TRUE(asked);
  EXPECT_EQ(asked->operation, 3u);  // update and run
  EXPECT_TRUE(lockedMeanwhile);
  EXPECT_TRUE(Panel(MainCommand::RunSelected).IsEnabled()) << "unlocked afterwards";
  EXPECT_TRUE(::IsWindowEnabled(ListWindow()));
}

TEST_F(MainWindowTest, F3FindsZipInAnyCaseAndStartsAgainAfterTheEnd) {
  HWND finder = window->Header().Finder().Handle();
  ::SetFocus(finder);  // clears the cue
  ::SetWindowTextW(finder, L"zIp");
  const std::size_t sevenZip = IndexOf(u"7-Zip Portable"), winZip = IndexOf(u"WinZIP Installer");
  std::u16string tipSeen;
  StepChain tip(L"_WndMsgTipClass", {[&](HWND window) {
                  if (FindChild(window, u"Search reached the end of the list!")) {
                    tipSeen = u"Search reached the end of the list!";
                  }
                  PressKey(window, VK_RETURN);
                }});
  struct Case {
    const char* name;
    std::optional<std::size_t> want;
  };
  const Case cases[] = {
      {"first hit", sevenZip}, {"next hit", winZip}, {"end of the list", std::nullopt},
      {"from the top again", sevenZip}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Press(::GetFocus(), VK_F3);
    if (c.want) {
      EXPECT_EQ(List().Highlighted(), c.want);
    }
  }
  EXPECT_TRUE(tip.Done());
  EXPECT_EQ(tipSeen, u"Search reached the end of the list!");
}

TEST_F(MainWindowTest, TheMenuOnAFavouriteOffersOnlyItsRemoval) {
  ClickTile(IndexOf(u"Favourite One"));
  UINT addState = 0, removeState = 0;
  StepChain menu(L"#32768", {[&](HWND popup) {
                   HMENU shown = reinterpret_cast<HMENU>(::SendMessageW(popup, MN_GETHMENU, 0, 0));
                   addState = ::GetMenuState(shown, UINT(MainCommand::AddFavourite), MF_BYCOMMAND);
                   removeState =
                       ::GetMenuState(shown, UINT(MainCommand::RemoveFavourite), MF_BYCOMMAND);
                   ::EndMenu();
                 }});
  Press(ListWindow(), VK_APPS);
  ASSERT_TRUE(menu.Done());
  EXPECT_TRUE(addState & MF_GRAYED) << "Add to favorite tools";
  EXPECT_FALSE(removeState & MF_GRAYED) << "Remove from favorite tools";
}

TEST_F(MainWindowTest, AClickOnAGroupsHeaderCollapsesAndExpandsIt) {
  const std::size_t sevenZip = IndexOf(u"7-Zip Portable");
  for (const bool wantCollapsed : {true, false}) {
    SCOPED_TRACE(wantCollapsed ? "collapse" : "expand");
    ClickAt(ListWindow(), Middle(*List().HeaderRect(5)));
    EXPECT_EQ(Collapsed(5), wantCollapsed);
    EXPECT_EQ(List().TileRect(sevenZip).has_value(), !wantCollapsed);
  }
}

TEST_F(MainWindowTest, TheDescriptionShowsForTheHighlightedToolUntilATick) {
  ClickTile(IndexOf(u"7-Zip Portable"));
  ASSERT_NE(window->DescriptionTip(), nullptr);
  EXPECT_TRUE(window->DescriptionTip()->IsShown());
  EXPECT_EQ(window->DescriptionTip()->Text(), u"A file archiver");
  ClickCheckBox(IndexOf(u"WinZIP Installer"));
  EXPECT_FALSE(window->DescriptionTip()->IsShown());
}

TEST_F(MainWindowTest, TypingACapitalInTheFinderDoesNotSortTheList) {
  BYTE keys[256] = {};
  ::GetKeyboardState(keys);
  keys[VK_SHIFT] = 0x80;
  ::SetKeyboardState(keys);
  HWND finder = window->Header().Finder().Handle();
  ::SetFocus(finder);
  Press(finder, 'A');
  const bool askedInFinder = !interaction.shown.empty();
  ::SetFocus(ListWindow());
  Press(ListWindow(), 'A');
  keys[VK_SHIFT] = 0;
  ::SetKeyboardState(keys);
  EXPECT_FALSE(askedInFinder);
  EXPECT_EQ(interaction.shown, std::vector<std::u16string>{std::u16string(main_text::kConfirmSort)})
      << "Shift+A sorts from anywhere else";
}

TEST_F(MainWindowTest, CtrlOAndCtrlWReachTheShell) {
  // A real file, so that the window's own file system finds it.
  const std::u16string folder = SelectionsFolder();
  ASSERT_TRUE(disk.CreateFolders(folder));
  const std::u16string file = folder + u"\\portable7z.exe";
  const std::uint8_t content[] = {'M', 'Z'};
  ASSERT_TRUE(disk.WriteAll(file, content));
  std::u16string escaped;  // .reg text doubles its backslashes
  for (const char16_t c : file) escaped.append(c == u'\\' ? u"\\\\" : std::u16string(1, c));
  Import(u"[HKLM\\kva_tools\\5\\7-Zip Portable]\n\"Website\"=\"https://www.7-zip.org/\"\n"
         u"\"downloadfile\"=\"" + escaped + u"\"\n");
  ClickTile(IndexOf(u"7-Zip Portable"));
  BYTE keys[256] = {};
  ::GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  ::SetKeyboardState(keys);
  Press(ListWindow(), 'O');
  Press(ListWindow(), 'W');
  keys[VK_CONTROL] = 0;
  ::SetKeyboardState(keys);
  disk.RemoveFile(file);
  EXPECT_EQ(explorer.shown, (std::vector<FakeExplorer::Shown>{{folder, {file}},
                                                              {u"https://www.7-zip.org/", {}}}));
  EXPECT_TRUE(interaction.shown.empty());
}

TEST_F(MainWindowTest, TheShortcutTableIsTheModelsInItsOrder) {
  const auto wanted = model->Accelerators();
  const AcceleratorTable table(wanted);
  ASSERT_EQ(table.Count(), 30);
  std::vector<ACCEL> copied(30);
  ::CopyAcceleratorTableW(table.Handle(), copied.data(), 30);
  for (std::size_t i = 0; i < copied.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(copied[i].fVirt & 0x7F, wanted[i].flags);
    EXPECT_EQ(copied[i].key, wanted[i].key);
    EXPECT_EQ(copied[i].cmd, WORD(wanted[i].command));
  }
}

TEST_F(MainWindowTest, HiddenToolsComeBackThroughTheirWindow) {
  const std::size_t echo = IndexOf(u"Repair Echo");
  list.SetTicked(echo, true);
  interaction.answers = {msg::kYes};
  window->Dispatch(MainCommand::HideSelected);
  ASSERT_FALSE(list.Find(u"Repair Echo", 6));
  ASSERT_TRUE(Panel(MainCommand::RestoreHidden).IsEnabled());

  bool restoreWasOff = false;
  StepChain restore(L"KVA_MSG_WND", {[&](HWND w) {
                                       restoreWasOff = !::IsWindowEnabled(FindChild(w, u"Restore selected"));
                                       ui::test::ClickOn(w, u"Select all");
                                       ui::test::ClickOn(w, u"Restore selected");
                                     }});
  window->Dispatch(MainCommand::RestoreHidden);
  EXPECT_TRUE(restore.Done());
  EXPECT_TRUE(restoreWasOff) << "nothing ticked yet";
  EXPECT_TRUE(list.Find(u"Repair Echo", 6)) << "back at the end of its group";
  EXPECT_FALSE(Panel(MainCommand::RestoreHidden).IsEnabled()) << "none left";
}

// A ticked box is filled with the theme's accent, an unticked one is white.
TEST_F(MainWindowTest, PaintsTheThemeAndTheTicksInBothThemes) {
  const std::size_t sevenZip = IndexOf(u"7-Zip Portable"), winZip = IndexOf(u"WinZIP Installer");
  for (const auto& theme : ui::test::kBothThemes) {
    SCOPED_TRACE(theme.name);
    list.SetTicked(sevenZip, true);
    Open(theme.id);
    ClickTile(winZip);
    HWND main = window->Handle();
    EXPECT_EQ(ui::test::TextOf(main), u"Kelvara");
    const ThemeColours colours = ThemeOf(theme.id).colours;
    const ui::test::WindowPicture picture(main);
    // Inside the box, clear of its tick mark.
    const auto boxFace = [&](std::size_t index) {
      const RECT box = *List().CheckBoxRect(index);
      return ui::test::PointIn(main, ListWindow(), {box.left + 3, box.top + 3});
    };
    EXPECT_TRUE(ui::test::HasColourAt(picture, {1, 1}, colours.frame));
    EXPECT_TRUE(ui::test::HasColourAt(picture, boxFace(sevenZip), colours.accent));
    EXPECT_TRUE(ui::test::HasColourAt(picture, boxFace(winZip), 0xFFFFFF));
    EXPECT_TRUE(picture.Save(std::wstring(L"main_window_") + theme.name));
  }
}

}  // namespace
}  // namespace kva::win32::test
