#include "app/win32/SelectionWindow.h"

#include <commctrl.h>

#include "MainWindowFixture.h"
#include "Screenshot.h"
#include "app/SelectionWindowModel.h"
#include "platform/TextEncoding.h"

namespace kva::win32::test {
namespace {

using ui::test::ClickOn;

constexpr wchar_t kClass[] = L"KVA_MSG_WND";

HWND ListIn(HWND window) { return ::FindWindowExW(window, nullptr, WC_LISTVIEWW, nullptr); }

std::vector<std::u16string> Rows(HWND window) {
  HWND rows = ListIn(window);
  std::vector<std::u16string> names;
  for (int i = 0; i < ListView_GetItemCount(rows); ++i) {
    wchar_t text[260] = {};
    ListView_GetItemText(rows, i, 0, text, 260);
    names.push_back(FromWide(text));
  }
  return names;
}

// As a click on the row would: the name goes into the text box.
void Highlight(HWND window, int row) {
  ListView_SetItemState(ListIn(window), row, LVIS_SELECTED | LVIS_FOCUSED,
                        LVIS_SELECTED | LVIS_FOCUSED);
}

class SelectionWindowTest : public MainWindowTest {
 protected:
  void Run(std::vector<Step> steps) {
    StepChain chain(kClass, std::move(steps));
    window->Dispatch(MainCommand::LoadSaveSelection);
    EXPECT_TRUE(chain.Done());
  }
  std::u16string Counter() { return Panel(MainCommand::ClearTicks).Text(); }
  std::u16string File() { return SelectionsFolder() + u"\\Weekly  Jan.kvasel"; }
};

TEST_F(SelectionWindowTest, WeeklyJanIsSavedLoadedMergedAndDeleted) {
  const std::size_t sevenZip = IndexOf(u"7-Zip Portable"), winZip = IndexOf(u"WinZIP Installer");
  list.SetTicked(sevenZip, true);
  std::vector<std::u16string> shownRows;
  Run({[](HWND w) {
         ::SetWindowTextW(::FindWindowExW(w, nullptr, WC_EDITW, nullptr), L"Weekly: Jan");
         ClickOn(w, u"Save new");
       },
       [&](HWND w) {
         shownRows = Rows(w);
         EXPECT_TRUE(ui::test::SaveScreenshot(w, L"selection_window"));
         ClickOn(w, u"Close / Cancel");
       }});
  EXPECT_EQ(shownRows, std::vector<std::u16string>{u"Weekly  Jan"}) << "the colon became a blank";
  EXPECT_EQ(interaction.shown.back(), selection_text::kSaved);
  std::vector<std::uint8_t> bytes;
  ASSERT_TRUE(disk.ReadAll(File(), bytes));
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes[0], 0xFF);
  EXPECT_EQ(bytes[1], 0xFE);
  const std::u16string text = DecodeText(bytes).text;
  EXPECT_NE(text.find(u"[5]\r\nState=0\r\n7-Zip Portable=1\r\nWinZIP Installer=0\r\n"
                      u"Short Uninstall=0\r\n"),
            std::u16string::npos)
      << Utf16ToUtf8(text);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\n') {
      ASSERT_TRUE(i > 0 && text[i - 1] == u'\r') << "a bare LF at " << i;
    }
  }

  struct Case {
    const char* name;
    std::u16string_view button;
    bool sevenZipBefore, winZipBefore;
    bool wantSevenZip, wantWinZip;
    std::u16string_view wantCounter;
  };
  const Case cases[] = {
      {"merge keeps what is ticked", u"Merge selected", false, true, true, true,
       u"2 tools ticked.  <a>Clear</a>"},
      {"load replaces it", u"Load selected", false, true, true, false,
       u"One tool ticked.  <a>Clear</a>"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    list.SetTicked(sevenZip, c.sevenZipBefore);
    list.SetTicked(winZip, c.winZipBefore);
    Run({[&](HWND w) {
      Highlight(w, 0);
      ClickOn(w, c.button);
    }});
    EXPECT_EQ(list.Entry(sevenZip).ticked, c.wantSevenZip);
    EXPECT_EQ(list.Entry(winZip).ticked, c.wantWinZip);
    EXPECT_EQ(Counter(), c.wantCounter);
  }

  Run({[](HWND w) {
         Highlight(w, 0);
         ClickOn(w, u"Delete selected");
       },
       [&](HWND w) {
         shownRows = Rows(w);
         ClickOn(w, u"Close / Cancel");
       }});
  EXPECT_TRUE(shownRows.empty());
  EXPECT_FALSE(Exists(disk, File()));
}

}  // namespace
}  // namespace kva::win32::test
