#include "ui/NewPcWindow.h"

#include <commctrl.h>

#include "platform/win32/WideText.h"
#include "reporting/ClientName.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ImageIds.h"
#include "ui/Label.h"
#include "ui/MessageBoxWindow.h"
#include "ui/Window.h"

namespace kva::ui {
namespace {

constexpr wchar_t kClass[] = L"KVA_REPORT_WND";
constexpr int kWidth = 600, kHeight = 577;
constexpr std::uint32_t kPcTextColour = 0xAF4F4F;
constexpr int kClientListHeight = 220;  // the edit line and its drop-down list

enum Command { kApply = 1, kCancel, kNever, kDisable };

constexpr RECT kTitle{24, 14, 576, 56};
constexpr RECT kNotManaged{30, 72, 570, 100};
constexpr RECT kPcText{30, 104, 570, 160};
constexpr RECT kEnterName{30, 172, 570, 200};
constexpr RECT kClientBox{30, 206, 570, 206 + kClientListHeight};
constexpr RECT kNeverQuestion{30, 262, 570, 290};
constexpr RECT kNeverBox{40, 294, 570, 324};
constexpr RECT kDisableQuestion{30, 344, 570, 372};
constexpr RECT kDisableBox{40, 376, 570, 406};
constexpr RECT kApplyButton{80, 490, 290, 532};
constexpr RECT kCancelButton{310, 490, 520, 532};

class NewPcWindow final : public Window {
 public:
  NewPcWindow(Toolkit& kit, HWND parent, const NewPcQuestion& question)
      : Window(kit, {.className = kClass,
                     .title = u"New PC detected",
                     .width = kWidth,
                     .height = kHeight,
                     .parent = parent,
                     .font = Points(12)}),
        question_(question) {}

  [[nodiscard]] const std::optional<NewPcAnswer>& Answer() const { return answer_; }

 private:
  void Build() override {
    AddLabel(kTitle, u"New PC detected", Points(16, FW_HEAVY), DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    AddLabel(kNotManaged, u"This PC is not currently managed by the reporting system.", Body());
    AddLabel(kPcText, question_.pcText, Body()).SetTextColor(kPcTextColour);
    AddLabel(kEnterName, u"Please enter the client name to associate this PC with:", Body());
    AddClientBox();
    AddLabel(kNeverQuestion, u"Don't want to ever generate reports in this PC?", Body());
    never_ = &AddCheckBox(kNever, kNeverBox, u" Never warn me about this PC again.", {});
    AddLabel(kDisableQuestion, u"You don't use professional HTML reports?", Body());
    disable_ = &AddCheckBox(kDisable, kDisableBox, u" Disable the creation of HTML reports.", {});
    AddButton(kApply, kApplyButton, u"Apply", image::kConfirm,
              u"Update reporting information for this PC");
    AddButton(kCancel, kCancelButton, u"Cancel", image::kDecline,
              u"Cancel updating reporting information for this PC");
    AddKey(VK_ESCAPE, kCancel);
  }

  static FontSpec Body() { return Points(12); }

  // Windows' own editable drop-down list: typing and picking in one.
  void AddClientBox() {
    clients_ = ::CreateWindowExW(
        0, WC_COMBOBOXW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
        kClientBox.left, kClientBox.top, kClientBox.right - kClientBox.left,
        kClientBox.bottom - kClientBox.top, Handle(), nullptr, kit_.Instance(), nullptr);
    ::SendMessageW(clients_, WM_SETFONT, reinterpret_cast<WPARAM>(kit_.Font(Body())), TRUE);
    for (const auto& name : question_.clients) {
      ::SendMessageW(clients_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Wide(name).c_str()));
    }
    ::SetFocus(clients_);
  }

  std::u16string TypedName() const {
    const int length = ::GetWindowTextLengthW(clients_);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = ::GetWindowTextW(clients_, text.data(), length + 1);
    return win32::FromWide(text.data(), static_cast<std::size_t>(got));
  }

  bool OnCommand(int command) override {
    switch (command) {
      case kNever:
      case kDisable:
        form_.SetNeverOnThisPc(never_->IsChecked());
        form_.SetDisableReports(disable_->IsChecked());
        ::EnableWindow(clients_, form_.ClientBoxEnabled());
        return false;
      case kApply:
        answer_ = form_.Apply(TypedName());
        if (answer_) return true;
        ShowMessageBox(kit_, Handle(), kInvalidClientName, MessageBoxKind::kOk);
        return false;
      default:
        return true;  // Cancel, Escape, closed
    }
  }

  NewPcQuestion question_;
  NewPcForm form_;
  std::optional<NewPcAnswer> answer_;
  HWND clients_ = nullptr;  // a child: destroyed with the window
  CheckBox* never_ = nullptr;
  CheckBox* disable_ = nullptr;
};

}  // namespace

std::optional<NewPcAnswer> ShowNewPcWindow(Toolkit& kit, HWND parent, const NewPcQuestion& question) {
  NewPcWindow window(kit, parent, question);
  const int command = window.RunModal();
  if (command != kApply) return std::nullopt;
  return window.Answer();
}

}  // namespace kva::ui
