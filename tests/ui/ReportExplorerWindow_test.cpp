#include "ui/ReportExplorerWindow.h"

#include <commctrl.h>

#include <vector>

#include "GuiFixture.h"
#include "Screenshot.h"
#include "WindowDriver.h"
#include "platform/Explorer.h"
#include "platform/Text.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/WideText.h"

namespace kva::ui::test {
namespace {

constexpr wchar_t kClass[] = L"KVA_REPORTS_WND";
constexpr std::u16string_view kPc = u"716774B53A92B98525BBA179A159CC71";

class RecordingExplorer final : public Explorer {
 public:
  bool OpenInShell(std::u16string_view target) override {
    opened.emplace_back(target);
    return true;
  }
  bool ShowSelected(std::u16string_view, std::span<const std::u16string>) override { return true; }
  std::vector<std::u16string> opened;
};

class ReportExplorerWindowTest : public GuiTest {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    store_ = win32::FromWide(temp) + u"kva_explorer_" + ToDecimal(::GetCurrentProcessId());
    const std::u16string pc = store_ + u"\\Acme\\" + std::u16string(kPc);
    ASSERT_TRUE(files_.CreateFolders(pc));
    const std::string report = "\xEF\xBB\xBF<!DOCTYPE html>";
    ASSERT_TRUE(files_.WriteAll(pc + u"\\2024-03-07.html",
                                std::span(reinterpret_cast<const std::uint8_t*>(report.data()), report.size())));
  }
  void TearDown() override {
    const std::u16string pc = store_ + u"\\Acme\\" + std::u16string(kPc);
    (void)files_.RemoveFile(pc + u"\\2024-03-07.html");
    (void)files_.RemoveFolder(pc);
    (void)files_.RemoveFolder(store_ + u"\\Acme");
    (void)files_.RemoveFolder(store_);
  }

  win32::Win32FileSystem files_;
  RecordingExplorer explorer_;
  std::u16string store_;
};

HWND TreeOf(HWND window) { return ::FindWindowExW(window, nullptr, WC_TREEVIEWW, nullptr); }

TEST_F(ReportExplorerWindowTest, ShowsTheStoreAndTheSelectedItemsDetails) {
  WindowDriver driver(kClass, [&](HWND window) {
    HWND tree = TreeOf(window);
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(::SendMessageW(tree, TVM_GETCOUNT, 0, 0), 3) << "client, PC, report";
    auto* client = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    ASSERT_NE(client, nullptr);
    ::SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(client));
    HWND info = nullptr;
    for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
      if (TextOf(child).starts_with(u"Client name:\r\nAcme")) info = child;
    }
    EXPECT_NE(info, nullptr) << "the details of the selected client";
    EXPECT_NE(FindChild(window, u"Find a client, PC or report:"), nullptr);
    EXPECT_EQ(Utf16ToUtf8(TipOf(window, FindChild(window, u"Find"))), "Find a client, computer or report");
    EXPECT_EQ(Utf16ToUtf8(TipOf(window, FindChild(window, u"Menu"))), "Open the tree's menu");
    EXPECT_TRUE(SaveScreenshot(window, L"report_explorer"));
    NMHDR doubleClick{tree, 0, static_cast<UINT>(NM_DBLCLK)};
    ::SendMessageW(window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&doubleClick));
    PressKey(window, VK_ESCAPE);
  });
  ShowReportExplorerWindow(kit_, nullptr, files_, explorer_, store_);
  EXPECT_TRUE(driver.Ran());
  EXPECT_EQ(explorer_.opened, std::vector<std::u16string>{store_ + u"\\Acme"}) << "a double-click opens";
}

}  // namespace
}  // namespace kva::ui::test
