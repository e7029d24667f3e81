#include "ui/ProgressWindow.h"

#include <commctrl.h>

#include <regex>
#include <string>

#include "GuiFixture.h"
#include "Screenshot.h"
#include "WindowDriver.h"
#include "platform/Text.h"
#include "platform/win32/WideText.h"

namespace kva::ui::test {
namespace {

using Form = ProgressDialog::Form;

// Handles what is queued, as the runner's cancel poll does between steps.
void Pump() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

std::string CellOf(HWND list, int row, int column) {
  wchar_t text[512] = {};
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = static_cast<int>(std::size(text));
  ::SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  return Utf16ToUtf8(win32::FromWide(text));
}

SIZE SizeOf(HWND window) {
  RECT r;
  ::GetWindowRect(window, &r);
  return {r.right - r.left, r.bottom - r.top};
}

class ProgressWindowTest : public GuiTest {
 protected:
  ProgressWindow dialog_{kit_, nullptr};
};

TEST_F(ProgressWindowTest, LogLinesGetTheTimeAndTheText) {
  dialog_.Show(Form::kLarge);
  EXPECT_EQ(dialog_.LastLine(), u"");
  dialog_.AddLine(u"Update tool: PuTTY SSH client | Success: The tool is up to date.");
  dialog_.AddLine(u"Run tool: PuTTY SSH client | Failure: The program could not be started.");
  HWND log = dialog_.LogHandle();
  ASSERT_EQ(::SendMessageW(log, LVM_GETITEMCOUNT, 0, 0), 2);
  const std::regex stamp(R"(\d{4}/\d{2}/\d{2} \d{2}:\d{2}:\d{2}:\d{3})");
  for (int row = 0; row < 2; ++row) {
    SCOPED_TRACE(row);
    EXPECT_TRUE(std::regex_match(CellOf(log, row, 0), stamp)) << CellOf(log, row, 0);
  }
  EXPECT_EQ(CellOf(log, 1, 1),
            "Run tool: PuTTY SSH client | Failure: The program could not be started.");
  EXPECT_EQ(Utf16ToUtf8(dialog_.LastLine()),
            "Run tool: PuTTY SSH client | Failure: The program could not be started.");
}

TEST_F(ProgressWindowTest, ButtonsReportEachPressOnce) {
  dialog_.Show(Form::kLarge);
  dialog_.AddButton(0, u"Cancel this tool");
  dialog_.AddButton(1, u"Cancel all tools");
  ClickOn(dialog_.Handle(), u"Cancel all tools");
  Pump();
  EXPECT_FALSE(dialog_.TakePress(0));
  EXPECT_TRUE(dialog_.TakePress(1));
  EXPECT_FALSE(dialog_.TakePress(1)) << "a press is read once";

  dialog_.EnableButton(0, false);
  ClickOn(dialog_.Handle(), u"Cancel this tool");
  Pump();
  EXPECT_FALSE(dialog_.TakePress(0)) << "a disabled button is not pressed";

  dialog_.SetButtonText(0, u"OK, close this");
  dialog_.AddButton(1, u"Close");  // an existing button is relabelled
  EXPECT_EQ(FindChild(dialog_.Handle(), u"Cancel this tool"), nullptr);
  EXPECT_NE(FindChild(dialog_.Handle(), u"Close"), nullptr);
  dialog_.EnableButton(0, true);
  ClickOn(dialog_.Handle(), u"OK, close this");
  Pump();
  EXPECT_TRUE(dialog_.TakePress(0));
  EXPECT_FALSE(dialog_.TakePress(2)) << "only two buttons";
}

TEST_F(ProgressWindowTest, FormsHaveTheirSizesAndTheLargeOneStartsPreparing) {
  dialog_.Show(Form::kSmall);
  EXPECT_EQ(SizeOf(dialog_.Handle()).cx, 450);
  EXPECT_EQ(SizeOf(dialog_.Handle()).cy, 90);
  EXPECT_FALSE(::IsWindowVisible(dialog_.LogHandle()));
  dialog_.Show(Form::kLarge);
  EXPECT_EQ(SizeOf(dialog_.Handle()).cx, 730);
  EXPECT_EQ(SizeOf(dialog_.Handle()).cy, 400);
  EXPECT_TRUE(::IsWindowVisible(dialog_.LogHandle()));
  EXPECT_NE(FindChild(dialog_.Handle(), u"Preparing..."), nullptr);

  dialog_.SetStatus(u"Downloading PuTTY SSH client...", 40);
  dialog_.AddLine(u"Update tool: PuTTY SSH client | Success: Downloaded.");
  dialog_.Show(Form::kLarge);  // again while shown: only the status goes back
  EXPECT_NE(FindChild(dialog_.Handle(), u"Preparing..."), nullptr);
  EXPECT_EQ(::SendMessageW(dialog_.LogHandle(), LVM_GETITEMCOUNT, 0, 0), 1);

  dialog_.Close();
  EXPECT_EQ(dialog_.Handle(), nullptr);
  EXPECT_EQ(dialog_.LastLine(), u"");
}

TEST_F(ProgressWindowTest, IsModalOverItsParentWhileShown) {
  HWND parent = ::CreateWindowExW(0, L"STATIC", L"parent", WS_POPUP | WS_VISIBLE, 0, 0, 900, 700,
                                  nullptr, nullptr, nullptr, nullptr);
  {
    ProgressWindow dialog(kit_, parent);
    dialog.Show(Form::kLarge);
    EXPECT_FALSE(::IsWindowEnabled(parent));
    dialog.Hide();
    EXPECT_TRUE(::IsWindowEnabled(parent));
    dialog.Show(Form::kSmall);
    EXPECT_FALSE(::IsWindowEnabled(parent));
  }
  EXPECT_TRUE(::IsWindowEnabled(parent)) << "given back when the dialog goes";
  ::DestroyWindow(parent);
}

TEST_F(ProgressWindowTest, BothFormsShowTheThemeTheStatusAndTheButtonsState) {
  constexpr std::u16string_view kDownloading = u"Downloading Farbar Recovery Scan Tool... 62%";
  constexpr std::u16string_view kVerifying = u"Verifying the downloaded archive...";
  for (const auto& theme : kBothThemes) {
    SCOPED_TRACE(theme.name);
    const ThemeColours colours = ThemeOf(theme.id).colours;
    kit_.SetTheme(ThemeOf(theme.id));
    ProgressWindow dialog(kit_, nullptr);
    dialog.Show(Form::kLarge);
    dialog.AddButton(0, u"Cancel this tool");
    dialog.AddButton(1, u"Cancel all tools");
    dialog.AddLine(u"Update tool: Kaspersky TDSSKiller | Success: Downloaded and up to date.");
    dialog.AddLine(u"Run tool: Kaspersky TDSSKiller | Success: The tool ran and ended.");
    dialog.AddLine(u"Update tool: Farbar Recovery Scan Tool | Failure: The server did not answer.");
    dialog.SetStatus(kDownloading, 62);
    dialog.EnableButton(0, false);
    Pump();
    HWND window = dialog.Handle();
    EXPECT_NE(FindChild(window, kDownloading), nullptr);
    EXPECT_FALSE(::IsWindowEnabled(FindChild(window, u"Cancel this tool")));
    EXPECT_TRUE(::IsWindowEnabled(FindChild(window, u"Cancel all tools")));
    // The mouse over the other button, for the picture of both looks.
    ::SendMessageW(FindChild(window, u"Cancel all tools"), WM_MOUSEMOVE, 0, 0);
    const WindowPicture large(window);
    EXPECT_TRUE(HasColourAt(large, {1, 1}, colours.frame));
    EXPECT_TRUE(HasColourAt(large, {20, 380}, colours.background));
    // The log's empty lower part, below its three lines.
    EXPECT_TRUE(HasColourAt(large, PointIn(window, dialog.LogHandle(), {400, 200}),
                            colours.background));
    EXPECT_TRUE(large.Save(std::wstring(L"progress_large_") + theme.name));

    dialog.SetStatus(kVerifying, progress::kBusy);
    dialog.Show(Form::kSmall);
    Pump();
    window = dialog.Handle();
    EXPECT_NE(FindChild(window, kVerifying), nullptr);
    const WindowPicture small(window);
    EXPECT_TRUE(HasColourAt(small, {1, 1}, colours.frame));
    EXPECT_TRUE(HasColourAt(small, {447, 45}, colours.frame));
    EXPECT_TRUE(HasColourAt(small, {441, 45}, colours.background));
    EXPECT_TRUE(small.Save(std::wstring(L"progress_small_") + theme.name));
  }
}

}  // namespace
}  // namespace kva::ui::test
