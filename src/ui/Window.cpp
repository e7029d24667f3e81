#include "ui/Window.h"

#include <algorithm>

#include "platform/win32/WideText.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Label.h"
#include "ui/LinkLabel.h"
#include "ui/Painting.h"

namespace kva::ui {
namespace {

constexpr RECT kTitleRect{20, 10, 0, 44};  // right edge follows the window

RECT WorkAreaNear(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &info);
  return info.rcWork;
}

}  // namespace

Window::Window(Toolkit& kit, WindowSpec spec)
    : kit_(kit),
      spec_(std::move(spec)),
      palette_(spec_.palette.value_or(kit.CurrentTheme().colours)) {}

Window::~Window() {
  if (disabledOwner_) ::EnableWindow(spec_.parent, TRUE);
  // The children go with the window, before the controls that served them.
  window_.Reset();
}

bool Window::Create() {
  HINSTANCE instance = kit_.Instance();
  if (!kit_.RegisterWindowClass(spec_.className, Proc, spec_.classStyle)) return false;
  const DWORD exStyle = spec_.extraExStyle | (spec_.opacity < 255 ? WS_EX_LAYERED : 0);
  ::CreateWindowExW(exStyle, spec_.className, win32::Wide(spec_.title).c_str(),
                    spec_.style, 0, 0, spec_.width, spec_.height, spec_.parent,
                    nullptr, instance, this);
  if (!window_.IsValid()) return false;
  if (spec_.opacity < 255) {
    ::SetLayeredWindowAttributes(Handle(), 0, spec_.opacity, LWA_ALPHA);
  }
  tips_.Create(Handle(), instance);
  CenterOnOwner();
  Build();
  return true;
}

void Window::CenterOnOwner() {
  const RECT area = WorkAreaNear(spec_.parent ? spec_.parent : Handle());
  RECT base = area;
  if (spec_.parent && ::IsWindowVisible(spec_.parent) && !::IsIconic(spec_.parent)) {
    ::GetWindowRect(spec_.parent, &base);
  }
  MoveInside(area, base.left + (base.right - base.left - spec_.width) / 2,
             base.top + (base.bottom - base.top - spec_.height) / 2);
}

void Window::Resize(int width, int height) {
  spec_.width = width;
  spec_.height = height;
  ::SetWindowPos(Handle(), nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  CenterOnOwner();
}

void Window::Destroy() {
  window_.Reset();
  controls_.clear();
  focus_ = nullptr;
}

void Window::PlaceAt(POINT topLeft) { MoveInside(WorkAreaNear(Handle()), topLeft.x, topLeft.y); }

void Window::MoveInside(const RECT& area, LONG x, LONG y) {
  x = std::max(area.left, std::min(x, area.right - spec_.width));
  y = std::max(area.top, std::min(y, area.bottom - spec_.height));
  ::SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::SetFocusTo(const Control& control) {
  focus_ = control.Handle();
  if (::IsWindowVisible(Handle())) ::SetFocus(focus_);
}

void Window::Show() {
  ::ShowWindow(Handle(), SW_SHOW);
  ::UpdateWindow(Handle());
  if (focus_) ::SetFocus(focus_);
}

void Window::Hide() { ::ShowWindow(Handle(), SW_HIDE); }

int Window::RunModal() {
  if (!window_.IsValid() && !Create()) return kClosed;
  HWND owner = spec_.parent;
  if (owner && ::IsWindowEnabled(owner)) {
    ::EnableWindow(owner, FALSE);
    disabledOwner_ = true;
  }
  Show();
  int result = kClosed;
  MSG message;
  while (window_.IsValid()) {
    if (auto command = kit_.TakeCommand(Handle())) {
      if (*command == kClosed || OnCommand(*command)) {
        result = *command;
        break;
      }
      continue;
    }
    if (::GetMessageW(&message, nullptr, 0, 0) <= 0) {
      // The program is quitting: the outer loops must see it too.
      ::PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (!TranslateKey(message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
  // The owner comes back first, so that it gets the activation.
  if (disabledOwner_) ::EnableWindow(owner, TRUE);
  disabledOwner_ = false;
  if (window_.IsValid()) Hide();
  return result;
}

bool Window::Owns(HWND window) const {
  return window && (window == Handle() || ::IsChild(Handle(), window));
}

bool Window::TranslateKey(const MSG& message) {
  if (message.message != WM_KEYDOWN || !Owns(message.hwnd)) return false;
  for (const auto& [key, command] : keys_) {
    if (static_cast<WPARAM>(key) == message.wParam) {
      kit_.RecordCommand(Handle(), command);
      return true;
    }
  }
  if (message.wParam != VK_TAB) return false;
  const bool back = ::GetKeyState(VK_SHIFT) < 0;
  if (HWND next = ::GetNextDlgTabItem(Handle(), ::GetFocus(), back)) ::SetFocus(next);
  return true;
}

bool Window::OnCommand(int) { return true; }

void Window::OnControlClicked(int id) { kit_.RecordCommand(Handle(), id); }

void Window::PaintContent(HDC, const RECT&) {}

std::optional<LRESULT> Window::OnMessage(UINT, WPARAM, LPARAM) { return std::nullopt; }

void Window::Paint(HDC target) {
  PaintBuffer buffer(Handle(), target);
  const RECT& client = buffer.Client();
  PaintFramedBackground(buffer.Dc(), client, palette_);
  if (spec_.drawTitle) {
    RECT title = kTitleRect;
    title.right = client.right - kTitleRect.left;
    DrawTextIn(buffer.Dc(), spec_.title, title, kit_.Font(Points(12, FW_BOLD)), palette_.text,
               DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
  }
  PaintContent(buffer.Dc(), client);
}

LRESULT Window::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (auto handled = OnMessage(message, wParam, lParam)) return *handled;
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT:
      Paint(message == WM_PRINTCLIENT ? reinterpret_cast<HDC>(wParam) : nullptr);
      return 0;
    case WM_NCHITTEST: {
      // No caption bar: the background itself moves the window.
      const LRESULT hit = ::DefWindowProcW(Handle(), message, wParam, lParam);
      return hit == HTCLIENT ? HTCAPTION : hit;
    }
    case WM_COMMAND:
      if (lParam && HIWORD(wParam) == BN_CLICKED) OnControlClicked(LOWORD(wParam));
      return 0;
    case WM_CLOSE:
      kit_.RecordCommand(Handle(), kClosed);
      return 0;
    case WM_ACTIVATE:
      // The control that had the focus gets it back; without one the
      // window itself takes it (DefWindowProc), so that keys reach it.
      if (LOWORD(wParam) == WA_INACTIVE) {
        if (HWND focus = ::GetFocus(); Owns(focus) && focus != Handle()) focus_ = focus;
      } else if (focus_) {
        ::SetFocus(focus_);
        return 0;
      }
      break;
    case WM_SETFOCUS:
      if (focus_) ::SetFocus(focus_);
      return 0;
  }
  return ::DefWindowProcW(Handle(), message, wParam, lParam);
}

LRESULT CALLBACK Window::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_.Reset(window);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // Destroyed from outside (its owner went): the modal loop ends as closed.
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    (void)self->window_.Release();
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  return self->Handle(message, wParam, lParam);
}

Button& Window::AddButton(int id, const RECT& rect, std::u16string_view text, int imageId,
                          std::u16string_view tooltip) {
  auto& button = Adopt(std::make_unique<Button>(*this));
  button.Create(id, rect, text, imageId);
  tips_.Add(button.Handle(), tooltip);
  return button;
}

CheckBox& Window::AddCheckBox(int id, const RECT& rect, std::u16string_view text,
                              std::u16string_view tooltip) {
  auto& box = Adopt(std::make_unique<CheckBox>(*this));
  box.Create(id, rect, text, spec_.font);
  tips_.Add(box.Handle(), tooltip);
  return box;
}

LinkLabel& Window::AddLink(int id, const RECT& rect, std::u16string_view markup,
                           std::u16string_view tooltip, int imageId) {
  auto& link = Adopt(std::make_unique<LinkLabel>(*this));
  link.Create(id, rect, markup, spec_.font, imageId);
  tips_.Add(link.Handle(), tooltip);
  return link;
}

Label& Window::AddLabel(const RECT& rect, std::u16string_view text, const FontSpec& font,
                        UINT format) {
  auto& label = Adopt(std::make_unique<Label>(*this));
  label.Create(rect, text, font, format);
  return label;
}

}  // namespace kva::ui
