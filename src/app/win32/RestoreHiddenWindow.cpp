#include "app/win32/RestoreHiddenWindow.h"

#include <array>

#include "app/RestoreHiddenModel.h"
#include "app/win32/ReportList.h"
#include "platform/Text.h"
#include "ui/Button.h"
#include "ui/ImageIds.h"
#include "ui/Window.h"

namespace kva::win32 {
namespace {

enum Command { kAllCommand = 1, kNoneCommand, kRestoreCommand, kCloseCommand, kList };

class RestoreHiddenWindow final : public ui::Window {
 public:
  RestoreHiddenWindow(ui::Toolkit& kit, HWND parent, RestoreHiddenModel& model)
      : Window(kit, {.className = L"KVA_MSG_WND",
                     .title = std::u16string(restore_text::kTitle),
                     .width = restore_text::kWidth,
                     .height = restore_text::kHeight,
                     .parent = parent,
                     .drawTitle = true}),
        model_(model) {}

 private:
  void Build() override {
    using namespace restore_text;
    const std::array<ReportColumn, 2> columns{{{kNameColumn, 400}, {kGroupColumn, 110}}};
    list_.Create(kit_, Handle(), kList, {30, 60, 570, 400}, columns, ui::image::kRestoreHidden,
                 true, Colors());
    namespace image = ui::image;
    AddButton(kAllCommand, {30, 412, 200, 448}, kSelectAll.text, image::kMenuCheckAll,
              kSelectAll.tooltip);
    AddButton(kNoneCommand, {215, 412, 385, 448}, kSelectNone.text, image::kMenuCheckNone,
              kSelectNone.tooltip);
    restore_ = &AddButton(kRestoreCommand, {400, 412, 570, 448}, kRestore.text,
                          image::kRestoreHidden, kRestore.tooltip);
    AddButton(kCloseCommand, {215, 460, 385, 496}, kClose.text, image::kDecline, kClose.tooltip);
    AddKey(VK_ESCAPE, kCloseCommand);
    ShowRows();
  }

  void ShowRows() {
    std::vector<std::vector<std::u16string>> rows;
    for (const auto& row : model_.Rows()) rows.push_back({row.tool.name, ToDecimal(row.tool.group)});
    syncing_ = true;
    list_.SetRows(rows);
    for (std::size_t i = 0; i < model_.Rows().size(); ++i) list_.SetChecked(i, model_.Rows()[i].ticked);
    syncing_ = false;
    restore_->Enable(model_.RestoreEnabled());
  }

  std::optional<LRESULT> OnMessage(UINT message, WPARAM, LPARAM lParam) override {
    if (message != WM_NOTIFY) return std::nullopt;
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
    const bool checkChanged = change->hdr.idFrom == kList && change->hdr.code == LVN_ITEMCHANGED &&
                              (change->uChanged & LVIF_STATE) &&
                              ((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK);
    if (checkChanged && !syncing_ && change->iItem >= 0) {
      const auto row = static_cast<std::size_t>(change->iItem);
      model_.SetTicked(row, list_.IsChecked(row));
      restore_->Enable(model_.RestoreEnabled());
    }
    return 0;
  }

  bool OnCommand(int command) override {
    switch (command) {
      case kAllCommand:
      case kNoneCommand:
        model_.SetAllTicked(command == kAllCommand);
        ShowRows();
        return false;
      case kRestoreCommand:
        model_.RestoreTicked();
        return true;
      default:
        return true;
    }
  }

  RestoreHiddenModel& model_;
  ReportList list_;
  ui::Button* restore_ = nullptr;
  bool syncing_ = false;  // check marks set here are not the user's
};

}  // namespace

bool RunRestoreHiddenWindow(ui::Toolkit& kit, HWND parent, ToolState& state) {
  RestoreHiddenModel model(state);
  RestoreHiddenWindow window(kit, parent, model);
  window.RunModal();
  return model.AnyHiddenLeft();
}

}  // namespace kva::win32
