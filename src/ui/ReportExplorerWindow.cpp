#include "ui/ReportExplorerWindow.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/Explorer.h"
#include "platform/Interaction.h"
#include "platform/win32/WideText.h"
#include "reporting/ReportExplorer.h"
#include "ui/Button.h"
#include "ui/ImageIds.h"
#include "ui/Label.h"
#include "ui/MessageWindow.h"
#include "ui/Window.h"

namespace kva::ui {
namespace {

constexpr wchar_t kClass[] = L"KVA_REPORTS_WND";
constexpr int kWidth = 600, kHeight = 540;

enum Command { kFind = 1, kMenu, kClose, kTree, kFindText };
enum MenuItem { kOpenItem = 100, kDeleteItem, kEmailItem, kFtpItem, kRepairShoprItem };

constexpr RECT kTreeArea{30, 60, 330, 400};
constexpr RECT kInfoArea{345, 60, 570, 400};
constexpr RECT kFindLabel{30, 412, 330, 436};
constexpr RECT kFindBox{30, 440, 330, 466};
constexpr RECT kFindButton{340, 436, 450, 470};
constexpr RECT kMenuButton{460, 436, 570, 470};
constexpr RECT kCloseButton{215, 484, 385, 520};

class ReportExplorerWindow final : public Window {
 public:
  ReportExplorerWindow(Toolkit& kit, HWND parent, FileSystem& files, Explorer& explorer,
                       std::u16string_view store)
      : Window(kit, {.className = kClass,
                     .title = u"Report explorer",
                     .width = kWidth,
                     .height = kHeight,
                     .parent = parent,
                     .drawTitle = true}),
        files_(files),
        explorer_(explorer),
        store_(store) {}

 private:
  void Build() override {
    tree_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS |
                                  TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                              kTreeArea.left, kTreeArea.top, kTreeArea.right - kTreeArea.left,
                              kTreeArea.bottom - kTreeArea.top, Handle(),
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTree)), kit_.Instance(), nullptr);
    ::SendMessageW(tree_, WM_SETFONT, reinterpret_cast<WPARAM>(kit_.Font(Points(10))), TRUE);
    info_ = &AddLabel(kInfoArea, u"", Points(10));
    AddLabel(kFindLabel, u"Find a client, PC or report:", Points(10));
    findBox_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, WC_EDITW, L"",
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, kFindBox.left,
                                 kFindBox.top, kFindBox.right - kFindBox.left,
                                 kFindBox.bottom - kFindBox.top, Handle(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFindText)),
                                 kit_.Instance(), nullptr);
    ::SendMessageW(findBox_, WM_SETFONT, reinterpret_cast<WPARAM>(kit_.Font(Points(10))), TRUE);
    AddButton(kFind, kFindButton, u"Find", image::kFind, u"Find a client, computer or report");
    AddButton(kMenu, kMenuButton, u"Menu", image::kMenu, u"Open the tree's menu");
    AddButton(kClose, kCloseButton, u"Close", image::kDecline, u"Close the report explorer");
    AddKey(VK_ESCAPE, kClose);
    FillTree();
  }

  void FillTree() {
    treeModel_ = LoadReportTree(files_, store_);
    positions_.clear();
    handles_.clear();
    ::SendMessageW(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    AddItems(treeModel_, TVI_ROOT, {});
    ShowInfo();
  }

  void AddItems(const std::vector<ReportTreeItem>& items, HTREEITEM parent, ReportTreePosition at) {
    for (std::size_t i = 0; i < items.size(); ++i) {
      at.push_back(i);
      std::wstring text = win32::Wide(items[i].name);
      TVINSERTSTRUCTW insert{};
      insert.hParent = parent;
      insert.hInsertAfter = TVI_LAST;
      insert.item.mask = TVIF_TEXT | TVIF_PARAM;
      insert.item.pszText = text.data();
      insert.item.lParam = static_cast<LPARAM>(positions_.size());
      auto* handle = reinterpret_cast<HTREEITEM>(
          ::SendMessageW(tree_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
      positions_.push_back(at);
      handles_.push_back(handle);
      AddItems(items[i].children, handle, at);
      at.pop_back();
    }
  }

  std::optional<std::size_t> SelectedIndex() const {
    auto* item = reinterpret_cast<HTREEITEM>(::SendMessageW(tree_, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (!item) return std::nullopt;
    TVITEMW data{};
    data.mask = TVIF_PARAM;
    data.hItem = item;
    if (!::SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data))) return std::nullopt;
    return static_cast<std::size_t>(data.lParam);
  }

  ReportItemPath SelectedPath() const {
    const auto index = SelectedIndex();
    return index ? PathAt(treeModel_, positions_[*index]) : ReportItemPath();
  }

  void ShowInfo() {
    const auto item = SelectedPath();
    info_->SetText(item.empty() ? u"" : ReportItemInfo(files_, store_, item));
  }

  void Find() {
    const int length = ::GetWindowTextLengthW(findBox_);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(findBox_, text.data(), length + 1)));
    const auto index = SelectedIndex();
    const auto from = index ? std::optional(positions_[*index]) : std::nullopt;
    const auto found = FindReportItem(treeModel_, from, win32::FromWide(text.c_str(), text.size()));
    if (!found) return;
    for (std::size_t i = 0; i < positions_.size(); ++i) {
      if (positions_[i] != *found) continue;
      ::SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(handles_[i]));
      ::SendMessageW(tree_, TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(handles_[i]));
      ::SetFocus(tree_);
    }
  }

  void OpenSelected() {
    const auto item = SelectedPath();
    if (!item.empty()) (void)explorer_.OpenInShell(ReportItemFullPath(store_, item));
  }

  void RemoveSelected() {
    const auto item = SelectedPath();
    if (item.empty()) return;
    const auto question = RemoveQuestion(static_cast<ReportItemKind>(item.size()));
    if (ShowMessageWindow(kit_, question, msg::kQuestion, Handle()) != msg::kYes) return;
    if (!RemoveReportItem(files_, store_, item)) {
      ShowMessageWindow(kit_, kRemoveFailed, msg::kNotice, Handle());
    }
    FillTree();
  }

  // Sending comes with its own window; until then its entries show greyed.
  void ShowMenu(POINT at) {
    const bool any = SelectedIndex().has_value();
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuW(menu, MF_STRING | (any ? 0 : MF_GRAYED), kOpenItem, L"Open selected\tCtrl+Enter");
    ::AppendMenuW(menu, MF_STRING | (any ? 0 : MF_GRAYED), kDeleteItem, L"Delete selected\tCtrl+Del");
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING | MF_GRAYED, kEmailItem, L"Send by email\tCtrl+E");
    ::AppendMenuW(menu, MF_STRING | MF_GRAYED, kFtpItem, L"Send to FTP server\tCtrl+F");
    ::AppendMenuW(menu, MF_STRING | MF_GRAYED, kRepairShoprItem, L"Send to RepairShopr\tCtrl+R");
    const int chosen = ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
    ::DestroyMenu(menu);
    if (chosen == kOpenItem) OpenSelected();
    if (chosen == kDeleteItem) RemoveSelected();
  }

  std::optional<LRESULT> OnMessage(UINT message, WPARAM, LPARAM lParam) override {
    if (message != WM_NOTIFY) return std::nullopt;
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->hwndFrom != tree_) return std::nullopt;
    switch (header->code) {
      case TVN_SELCHANGEDW: ShowInfo(); return 0;
      case NM_DBLCLK: OpenSelected(); return 0;
      case NM_RCLICK: {
        POINT at;
        ::GetCursorPos(&at);
        ShowMenu(at);
        return 1;
      }
      case TVN_KEYDOWN: return OnTreeKey(reinterpret_cast<const NMTVKEYDOWN*>(lParam)->wVKey);
      default: return std::nullopt;
    }
  }

  LRESULT OnTreeKey(WORD key) {
    if (::GetKeyState(VK_CONTROL) >= 0) return 0;
    if (key == VK_RETURN) OpenSelected();
    if (key == VK_DELETE) RemoveSelected();
    return 0;
  }

  bool OnCommand(int command) override {
    switch (command) {
      case kFind: Find(); return false;
      case kMenu: {
        RECT r;
        ::GetWindowRect(::GetDlgItem(Handle(), kMenu), &r);
        ShowMenu({r.left, r.bottom});
        return false;
      }
      default: return true;
    }
  }

  FileSystem& files_;
  Explorer& explorer_;
  std::u16string store_;
  std::vector<ReportTreeItem> treeModel_;
  std::vector<ReportTreePosition> positions_;  // by the items' lParam
  std::vector<HTREEITEM> handles_;
  HWND tree_ = nullptr;     // children: destroyed with the window
  HWND findBox_ = nullptr;
  Label* info_ = nullptr;
};

}  // namespace

void ShowReportExplorerWindow(Toolkit& kit, HWND parent, FileSystem& files, Explorer& explorer,
                              std::u16string_view storeFolder) {
  ReportExplorerWindow window(kit, parent, files, explorer, storeFolder);
  window.RunModal();
}

}  // namespace kva::ui
