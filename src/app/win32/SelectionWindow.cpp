#include "app/win32/SelectionWindow.h"

#include "app/SelectionWindowModel.h"
#include "app/Shell.h"
#include "app/win32/ReportList.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WindowText.h"
#include "ui/Button.h"
#include "ui/ImageIds.h"
#include "ui/Window.h"

namespace kva::win32 {
namespace {

enum Command { kLoadSelected = 1, kMergeSelected, kDeleteSelected, kSaveNew, kCloseWindow, kList, kName };

constexpr RECT kListRect{30, 80, 570, 332};
constexpr RECT kNameRect{30, 368, 570, 394};

class SelectionWindow final : public ui::Window {
 public:
  SelectionWindow(ui::Toolkit& kit, HWND parent, SelectionWindowModel& model,
                  MainWindowParts& parts)
      : Window(kit, {.className = L"KVA_MSG_WND",
                     .title = std::u16string(selection_text::kTitle),
                     .width = selection_text::kWidth,
                     .height = selection_text::kHeight,
                     .parent = parent,
                     .drawTitle = true}),
        model_(model),
        parts_(parts) {}

 private:
  void Build() override {
    using namespace selection_text;
    AddLabel({30, 56, 570, 78}, kListLabel, ui::Points(10), DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    const ReportColumn column{kListColumn, kListRect.right - kListRect.left - 30};
    list_.Create(kit_, Handle(), kList, kListRect, {&column, 1}, kRowImage, false, Colors());
    AddLabel({30, 344, 570, 366}, kNameLabel, ui::Points(10), DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    name_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, WC_EDITW, nullptr,
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, kNameRect.left,
                              kNameRect.top, kNameRect.right - kNameRect.left,
                              kNameRect.bottom - kNameRect.top, Handle(),
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kName)),
                              kit_.Instance(), nullptr);
    ::SendMessageW(name_, WM_SETFONT, reinterpret_cast<WPARAM>(kit_.Font(ui::Points(10))), FALSE);
    namespace image = ui::image;
    load_ = &AddButton(kLoadSelected, {30, 412, 200, 448}, kLoad.text, image::kMenuSelections,
                       kLoad.tooltip);
    merge_ = &AddButton(kMergeSelected, {215, 412, 385, 448}, kMerge.text, image::kMenuCheckAll,
                        kMerge.tooltip);
    delete_ = &AddButton(kDeleteSelected, {400, 412, 570, 448}, kDelete.text, image::kMenuDelete,
                         kDelete.tooltip);
    save_ = &AddButton(kSaveNew, {30, 460, 290, 496}, kSave.text, image::kConfirm, kSave.tooltip);
    AddButton(kCloseWindow, {310, 460, 570, 496}, kClose.text, image::kDecline, kClose.tooltip);
    AddKey(VK_ESCAPE, kCloseWindow);
    ShowNames();
  }

  void ShowNames() {
    std::vector<std::vector<std::u16string>> rows;
    for (const auto& name : model_.Names()) rows.push_back({name});
    syncing_ = true;
    list_.SetRows(rows);
    list_.Select(model_.Highlighted());
    syncing_ = false;
    UpdateButtons();
  }

  void UpdateButtons() {
    const SelectionButtons buttons = model_.Buttons();
    load_->Enable(buttons.load);
    merge_->Enable(buttons.merge);
    delete_->Enable(buttons.remove);
    save_->Enable(buttons.save);
  }

  void OnHighlight() {
    model_.Highlight(list_.Selected());
    if (model_.Highlighted()) {
      syncing_ = true;
      ::SetWindowTextW(name_, Wide(model_.TypedName()).c_str());
      syncing_ = false;
    }
    UpdateButtons();
  }

  void OnNameChanged() {
    model_.SetTypedName(win32::WindowText(name_));
    UpdateButtons();
  }

  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_NOTIFY && !syncing_) {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom == kList && header->code == LVN_ITEMCHANGED) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if ((change->uChanged & LVIF_STATE) &&
            ((change->uNewState ^ change->uOldState) & LVIS_SELECTED)) {
          OnHighlight();
        }
      }
      return 0;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == kName && HIWORD(wParam) == EN_CHANGE) {
      if (!syncing_) OnNameChanged();
      return 0;
    }
    return std::nullopt;
  }

  bool OnCommand(int command) override {
    switch (command) {
      case kLoadSelected:
      case kMergeSelected:
        return model_.ApplyHighlighted(parts_.list, parts_.registry, command == kMergeSelected)
            .applied;
      case kDeleteSelected:
        model_.DeleteHighlighted();
        ShowNames();
        return false;
      case kSaveNew:
        model_.SaveTyped(parts_.list);
        ShowNames();
        return false;
      default:
        return true;
    }
  }

  SelectionWindowModel& model_;
  MainWindowParts& parts_;
  ReportList list_;
  HWND name_ = nullptr;
  ui::Button* load_ = nullptr;
  ui::Button* merge_ = nullptr;
  ui::Button* delete_ = nullptr;
  ui::Button* save_ = nullptr;
  bool syncing_ = false;  // changes made here are not the user's
};

}  // namespace

void RunSelectionWindow(ui::Toolkit& kit, HWND parent, MainWindowParts& parts) {
  auto model = SelectionWindowModel::Open(parts.files, parts.interaction, parts.selectionsFolder);
  if (!model) return;
  SelectionWindow window(kit, parent, *model, parts);
  window.RunModal();
}

}  // namespace kva::win32
