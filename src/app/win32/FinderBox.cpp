#include "app/win32/FinderBox.h"

#include <commctrl.h>

#include "platform/win32/WideText.h"
#include "platform/win32/WindowText.h"

namespace kva::win32 {
namespace {

constexpr std::uint32_t kCueColour = 0x909090;
constexpr UINT_PTR kSubclassId = 1;

}  // namespace

bool FinderBox::Create(ui::Toolkit& kit, HWND parent, const RECT& rect,
                       std::function<void()> onEnter) {
  onEnter_ = std::move(onEnter);
  edit_ = ::CreateWindowExW(0, WC_EDITW, Wide(finder_text::kCue).c_str(),
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, rect.left,
                            rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                            nullptr, kit.Instance(), nullptr);
  if (!edit_) return false;
  ::SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(kit.Font(ui::Points(10))), FALSE);
  // Room for the text away from the field's edge.
  ::SendMessageW(edit_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(4, 4));
  return ::SetWindowSubclass(edit_, Proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
}

void FinderBox::Move(const RECT& rect) {
  ::MoveWindow(edit_, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

void FinderBox::Focus() { ::SetFocus(edit_); }

std::uint32_t FinderBox::TextColour(std::uint32_t normal) const {
  return showingCue_ ? kCueColour : normal;
}

void FinderBox::ShowCue() {
  showingCue_ = true;
  text_.clear();
  ::SetWindowTextW(edit_, Wide(finder_text::kCue).c_str());
}

FinderText FinderBox::Text() {
  if (showingCue_) return {finder_text::kCue, true};
  ReadText();
  return {text_, false};
}

void FinderBox::ReadText() { text_ = win32::WindowText(edit_); }

std::optional<LRESULT> FinderBox::Handle(UINT message, WPARAM wParam) {
  switch (message) {
    case WM_SETFOCUS:
      if (showingCue_) {
        showingCue_ = false;
        ::SetWindowTextW(edit_, L"");
      } else {
        ::PostMessageW(edit_, EM_SETSEL, 0, -1);  // after the click has placed the caret
      }
      break;
    case WM_KILLFOCUS:
      if (!showingCue_ && ::GetWindowTextLengthW(edit_) == 0) ShowCue();
      break;
    case WM_KEYDOWN:
      if (wParam != VK_RETURN) break;
      if (onEnter_) onEnter_();
      return 0;
    case WM_CHAR:
      // Enter is handled above; a single-line box would only beep.
      if (wParam == L'\r' || wParam == L'\n') return 0;
      break;
  }
  return std::nullopt;
}

LRESULT CALLBACK FinderBox::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                 UINT_PTR, DWORD_PTR selfData) {
  auto* self = reinterpret_cast<FinderBox*>(selfData);
  if (message == WM_NCDESTROY) {
    ::RemoveWindowSubclass(window, Proc, kSubclassId);
    self->edit_ = nullptr;
    return ::DefSubclassProc(window, message, wParam, lParam);
  }
  if (auto handled = self->Handle(message, wParam)) return *handled;
  return ::DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace kva::win32
