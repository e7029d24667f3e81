#include "ui/MessageWindow.h"

#include "platform/Interaction.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ImageIds.h"
#include "ui/Painting.h"
#include "ui/Window.h"

namespace kva::ui {
namespace {

constexpr wchar_t kClass[] = L"KVA_MSG_WND";
constexpr int kWidth = 600, kHeight = 470;
constexpr BYTE kOpacity = 245;
constexpr std::uint32_t kBandColour = 0xDFDFDF;
constexpr std::uint32_t kMarkColour = 0xDF6030;
constexpr std::uint32_t kBandText = 0x000000;  // the band is light in both themes

enum Command { kOk = 1, kYes, kNo, kAutomate, kSkipUpToDate };

constexpr RECT kTextArea{45, 40, 555, 250};  // 510 x 210
constexpr RECT kBand{kFrameWidth, 268, kWidth - kFrameWidth, 360};
constexpr RECT kAutomateBox{70, 280, 540, 308};
constexpr RECT kSkipBox{70, 318, 540, 346};
constexpr RECT kSingleButton{200, 392, 400, 434};
constexpr RECT kLeftButton{80, 392, 290, 434};
constexpr RECT kRightButton{310, 392, 520, 434};

class MessageWindow final : public Window {
 public:
  MessageWindow(Toolkit& kit, std::u16string_view text, unsigned typeBits, HWND parent)
      : Window(kit, {.className = kClass,
                     .width = kWidth,
                     .height = kHeight,
                     .parent = parent,
                     .opacity = kOpacity}),
        text_(text),
        question_(typeBits & msg::kQuestion),
        options_(question_ && (typeBits & msg::kWithOptions)) {}

  // The answer, from the command that ended the loop.
  int Answer(int command) const {
    if (command == kOk) return msg::kOk;
    if (command != kYes) return msg::kNo;
    return msg::kYes + (automate_ && automate_->IsChecked() ? msg::kAutomate : 0) +
           (skip_ && skip_->IsChecked() ? msg::kSkipUpToDate : 0);
  }

 private:
  void Build() override {
    AddLabel(kTextArea, text_, Points(14, FW_HEAVY), DT_CENTER | DT_VCENTER | DT_WORDBREAK);
    if (options_) BuildOptions();
    if (!question_) {
      auto& ok = AddButton(kOk, kSingleButton, u"OK, I got it", image::kConfirm,
                           u"Click to close this message");
      AddKey(VK_ESCAPE, kOk);
      SetFocusTo(ok);
      return;
    }
    auto& yes =
        AddButton(kYes, kLeftButton, u"Yes, I do", image::kConfirm, u"Confirm the operation");
    AddButton(kNo, kRightButton, u"No, I don't", image::kDecline, u"Cancel the operation");
    AddKey(VK_ESCAPE, kNo);
    SetFocusTo(yes);
  }

  void BuildOptions() {
    automate_ = &AddCheckBox(kAutomate, kAutomateBox, u" Automate tools when possible",
                             u"If an application does not have a silent install switch, try to\r\n"
                             u"automate installation by sending mouse clicks and keyboard strokes");
    skip_ = &AddCheckBox(kSkipUpToDate, kSkipBox, u" Do not re-install up-to-date applications",
                         u"If an application is already installed and up to date,\r\n"
                         u"do not run the installer this time");
    for (CheckBox* box : {automate_, skip_}) {
      box->SetBackdrop(kBandColour);
      box->SetTextColor(kBandText);
      box->SetMarkColor(kMarkColour);
    }
  }

  void PaintContent(HDC dc, const RECT&) override {
    if (options_) FillColorRef(dc, kBand, kBandColour);
  }

  // Ticking a box is no answer.
  bool OnCommand(int command) override { return command != kAutomate && command != kSkipUpToDate; }

  std::u16string text_;
  bool question_;
  bool options_;
  CheckBox* automate_ = nullptr;
  CheckBox* skip_ = nullptr;
};

}  // namespace

int ShowMessageWindow(Toolkit& kit, std::u16string_view text, unsigned typeBits, HWND parent) {
  MessageWindow window(kit, text, typeBits, parent);
  return window.Answer(window.RunModal());
}

}  // namespace kva::ui
