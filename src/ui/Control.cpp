#include "ui/Control.h"

#include "platform/win32/WideText.h"
#include "platform/win32/WindowText.h"
#include "ui/Painting.h"
#include "ui/Window.h"

namespace kva::ui {

bool Control::Create(const wchar_t* className, int id, const RECT& rect, std::u16string_view text,
                     DWORD style) {
  HINSTANCE instance = Kit().Instance();
  if (!Kit().RegisterWindowClass(className, Proc)) return false;
  id_ = id;
  window_ = ::CreateWindowExW(0, className, win32::Wide(text).c_str(),
                              WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top, owner_.Handle(),
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
  return window_ != nullptr;
}

void Control::SetText(std::u16string_view text) {
  ::SetWindowTextW(window_, win32::Wide(text).c_str());
  Invalidate();
}

std::u16string Control::Text() const { return win32::WindowText(window_); }

void Control::Move(const RECT& rect) {
  ::MoveWindow(window_, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

void Control::SetBackdrop(std::uint32_t colorRef) {
  backdrop_ = colorRef;
  Invalidate();
}

void Control::SetTextColor(std::uint32_t colorRef) {
  textColor_ = colorRef;
  Invalidate();
}

Toolkit& Control::Kit() const { return owner_.Kit(); }

std::uint32_t Control::Backdrop() const { return backdrop_.value_or(owner_.Colors().background); }

const ThemeColours& Control::OwnerColors() const { return owner_.Colors(); }

std::uint32_t Control::TextColor() const { return textColor_.value_or(owner_.Colors().text); }

void Control::NotifyClick() {
  ::SendMessageW(::GetParent(window_), WM_COMMAND, MAKEWPARAM(id_, BN_CLICKED),
                 reinterpret_cast<LPARAM>(window_));
}

void Control::TrackHover() {
  if (hot_) return;
  hot_ = true;
  TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window_, 0};
  ::TrackMouseEvent(&track);
  Invalidate();
}

std::optional<LRESULT> Control::OnMessage(UINT, WPARAM, LPARAM) { return std::nullopt; }

LRESULT Control::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT: {
      PaintBuffer buffer(window_,
                         message == WM_PRINTCLIENT ? reinterpret_cast<HDC>(wParam) : nullptr);
      FillColorRef(buffer.Dc(), buffer.Client(), Backdrop());
      Paint(buffer.Dc(), buffer.Client());
      return 0;
    }
    case WM_MOUSEMOVE:
      TrackHover();
      break;
    case WM_MOUSELEAVE:
      hot_ = false;
      Invalidate();
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      focused_ = message == WM_SETFOCUS;
      Invalidate();
      break;
    case WM_ENABLE:
    case WM_SETTEXT:
      Invalidate();
      break;
  }
  if (auto handled = OnMessage(message, wParam, lParam)) return *handled;
  return ::DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK Control::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Control*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Control*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  return self->Handle(message, wParam, lParam);
}

}  // namespace kva::ui
