#include "app/win32/DescriptionTipWindow.h"

#include <commctrl.h>

#include <algorithm>

#include "app/DescriptionTip.h"
#include "platform/win32/WideText.h"
#include "ui/Painting.h"
#include "ui/Window.h"

namespace kva::win32 {
namespace {

constexpr int kMargin = 10;
constexpr UINT_PTR kToolId = 1;

ui::FontSpec TipFont() { return ui::Points(9); }

}  // namespace

// The program's own tip: framed in the theme's colours, placed but never
// activated, and clicks go through to what lies below.
class OwnTipWindow final : public ui::Window {
 public:
  OwnTipWindow(ui::Toolkit& kit, HWND owner)
      : Window(kit, {.className = L"KVA_TIP_WND",
                     .width = kTipMinWidth,
                     .height = 40,
                     .parent = owner,
                     .extraExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE}) {}

  void ShowAt(std::u16string_view text, POINT at) {
    text_ = text;
    if (!Handle() && !Create()) return;
    HDC screen = ::GetDC(nullptr);
    const SIZE size =
        ui::MeasureText(screen, text_, kit_.Font(TipFont()), kTipMaxWidth - 2 * kMargin);
    ::ReleaseDC(nullptr, screen);
    const int width = std::clamp<int>(size.cx + 2 * kMargin, kTipMinWidth, kTipMaxWidth);
    Resize(width, size.cy + 2 * kMargin);
    PlaceAt(at);
    ::ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    ::InvalidateRect(Handle(), nullptr, FALSE);
  }

 private:
  void PaintContent(HDC dc, const RECT& client) override {
    RECT text = client;
    ::InflateRect(&text, -kMargin, -kMargin);
    ui::DrawTextIn(dc, text_, text, kit_.Font(TipFont()), Colors().text, DT_LEFT | DT_WORDBREAK);
  }
  std::optional<LRESULT> OnMessage(UINT message, WPARAM, LPARAM) override {
    if (message == WM_NCHITTEST) return HTTRANSPARENT;
    if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    return std::nullopt;
  }

  std::u16string text_;
};

DescriptionTipWindow::DescriptionTipWindow(ui::Toolkit& kit, HWND owner, bool balloon)
    : kit_(kit), owner_(owner), balloon_(balloon) {}

DescriptionTipWindow::~DescriptionTipWindow() = default;

void DescriptionTipWindow::Show(std::u16string_view text, POINT at) {
  Hide();
  if (text.empty()) return;
  text_ = text;
  if (balloon_) {
    ShowBalloon(at);
  } else {
    if (!own_) own_ = std::make_unique<OwnTipWindow>(kit_, owner_);
    own_->ShowAt(text_, at);
  }
  shown_ = true;
}

void DescriptionTipWindow::ShowBalloon(POINT at) {
  TTTOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  info.hwnd = owner_;
  info.uId = kToolId;
  std::wstring wide = Wide(text_);
  info.lpszText = wide.data();
  if (!tooltip_.IsValid()) {
    tooltip_.Reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                     WS_POPUP | TTS_BALLOON | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0,
                                     0, 0, owner_, nullptr, kit_.Instance(), nullptr));
    ::SendMessageW(tooltip_.Get(), TTM_SETMAXTIPWIDTH, 0, kTipMaxWidth);
    ::SendMessageW(tooltip_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  }
  ::SendMessageW(tooltip_.Get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
  ::SendMessageW(tooltip_.Get(), TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y));
  ::SendMessageW(tooltip_.Get(), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&info));
}

void DescriptionTipWindow::Hide() {
  if (!shown_) return;
  shown_ = false;
  text_.clear();
  if (balloon_) {
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = owner_;
    info.uId = kToolId;
    ::SendMessageW(tooltip_.Get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&info));
  } else if (own_) {
    own_->Hide();
  }
}

}  // namespace kva::win32
