#include "ui/PressableControl.h"

namespace kva::ui {
namespace {

POINT PointOf(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

void PressableControl::Click() {
  if (!IsEnabled()) return;
  OnClick();
  NotifyClick();
}

bool PressableControl::IsPressSpot(POINT at) const {
  RECT client;
  ::GetClientRect(Handle(), &client);
  return ::PtInRect(&client, at) != FALSE;
}

std::optional<LRESULT> PressableControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE:
      return DLGC_BUTTON;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!IsPressSpot(PointOf(lParam))) break;
      pressed_ = true;
      ::SetCapture(Handle());
      ::SetFocus(Handle());
      Invalidate();
      return 0;
    case WM_LBUTTONUP:
      if (!pressed_) return 0;
      ::ReleaseCapture();  // WM_CAPTURECHANGED clears pressed_
      if (IsPressSpot(PointOf(lParam))) Click();
      return 0;
    case WM_CAPTURECHANGED:
      pressed_ = false;
      Invalidate();
      return 0;
    case WM_KEYDOWN:
      if (wParam != VK_SPACE && !(wParam == VK_RETURN && ClicksOnReturn())) break;
      Click();
      return 0;
    case BM_CLICK:
      Click();
      return 0;
  }
  return std::nullopt;
}

}  // namespace kva::ui
