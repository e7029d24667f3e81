#include "ui/MessageBoxWindow.h"

#include <array>
#include <span>

#include "ui/Button.h"
#include "ui/Painting.h"
#include "ui/Window.h"

namespace kva::ui {
namespace {

constexpr wchar_t kBoxClass[] = L"_WINDOW_MsgBoxClass";
constexpr wchar_t kTipClass[] = L"_WndMsgTipClass";
constexpr int kMinWidth = 160, kDefaultWidth = 360;
constexpr int kMargin = 20;
constexpr int kTipTitleHeight = 44;  // the title line "Information"
constexpr SIZE kButton{80, 25};
constexpr int kButtonGap = 10;

std::span<const std::u16string_view> ButtonTexts(MessageBoxKind kind) {
  static constexpr std::array<std::u16string_view, 3> kYesNoCancel{u"Yes", u"No", u"Cancel"};
  static constexpr std::array<std::u16string_view, 2> kOkCancel{u"OK", u"Cancel"};
  switch (kind) {
    case MessageBoxKind::kOkCancel:
      return kOkCancel;
    case MessageBoxKind::kYesNo:
      return std::span(kYesNoCancel).first(2);
    case MessageBoxKind::kYesNoCancel:
      return kYesNoCancel;
    case MessageBoxKind::kOk:
    case MessageBoxKind::kTip:
      break;
  }
  return std::span(kOkCancel).first(1);
}

FontSpec BoxFont() { return Points(9); }

SIZE BoxSize(Toolkit& kit, std::u16string_view text, MessageBoxKind kind, SIZE asked) {
  const int width = asked.cx < kMinWidth ? kDefaultWidth : asked.cx;
  if (asked.cy > 0) return {width, asked.cy};
  HDC screen = ::GetDC(nullptr);
  const int textHeight = MeasureText(screen, text, kit.Font(BoxFont()), width - 2 * kMargin).cy;
  ::ReleaseDC(nullptr, screen);
  const int below = kind == MessageBoxKind::kTip ? kMargin : kMargin + kButton.cy + kMargin;
  const int above = kind == MessageBoxKind::kTip ? kTipTitleHeight : kMargin;
  return {width, above + textHeight + below};
}

class MessageBoxWindow final : public Window {
 public:
  MessageBoxWindow(Toolkit& kit, HWND parent, std::u16string_view text, MessageBoxKind kind,
                   SIZE size)
      : Window(kit, {.className = kind == MessageBoxKind::kTip ? kTipClass : kBoxClass,
                     .title = kind == MessageBoxKind::kTip ? u"Information" : u"",
                     .width = size.cx,
                     .height = size.cy,
                     .parent = parent,
                     .drawTitle = kind == MessageBoxKind::kTip,
                     .font = BoxFont()}),
        text_(text),
        kind_(kind) {}

 private:
  void Build() override {
    const bool tip = kind_ == MessageBoxKind::kTip;
    const int bottom = Spec().height - (tip ? kMargin : 2 * kMargin + kButton.cy);
    AddLabel({kMargin, tip ? kTipTitleHeight : kMargin, Spec().width - kMargin, bottom}, text_,
             BoxFont(), DT_LEFT | DT_WORDBREAK | (tip ? 0 : DT_VCENTER));
    const auto texts = ButtonTexts(kind_);
    const int count = static_cast<int>(texts.size());
    AddKey(VK_ESCAPE, count);
    if (tip) {
      AddKey(VK_RETURN, 1);
      return;
    }
    int x = Spec().width - kMargin - count * kButton.cx - (count - 1) * kButtonGap;
    const int y = Spec().height - kMargin - kButton.cy;
    for (int i = 0; i < count; ++i, x += kButton.cx + kButtonGap) {
      auto& button = AddButton(i + 1, {x, y, x + kButton.cx, y + kButton.cy}, texts[i], 0, {});
      button.SetFont(BoxFont());
      if (i == 0) SetFocusTo(button);
    }
  }

  // A tip goes with a click anywhere on it.
  std::optional<LRESULT> OnMessage(UINT message, WPARAM, LPARAM) override {
    if (kind_ != MessageBoxKind::kTip) return std::nullopt;
    if (message == WM_NCHITTEST) return HTCLIENT;
    if (message == WM_LBUTTONUP) {
      kit_.RecordCommand(Handle(), 1);
      return 0;
    }
    return std::nullopt;
  }

  std::u16string text_;
  MessageBoxKind kind_;
};

}  // namespace

int ShowMessageBox(Toolkit& kit, HWND parent, std::u16string_view text, MessageBoxKind kind,
                   SIZE size, std::optional<POINT> position) {
  MessageBoxWindow window(kit, parent, text, kind, BoxSize(kit, text, kind, size));
  if (!window.Create()) return static_cast<int>(ButtonTexts(kind).size());
  if (position) window.PlaceAt(*position);
  const int command = window.RunModal();
  return command == kClosed ? static_cast<int>(ButtonTexts(kind).size()) : command;
}

}  // namespace kva::ui
