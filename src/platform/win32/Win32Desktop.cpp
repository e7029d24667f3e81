#include "platform/win32/Win32Desktop.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace kva::win32 {
namespace {

HWND ToHwnd(WindowId window) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(window)); }

}  // namespace

WindowId Win32Desktop::FindTopWindow(std::u16string_view className) {
  const HWND window = ::FindWindowW(Wide(className).c_str(), nullptr);
  return static_cast<WindowId>(reinterpret_cast<UINT_PTR>(window));
}

bool Win32Desktop::IsVisible(WindowId window) { return ::IsWindowVisible(ToHwnd(window)); }

void Win32Desktop::RestoreAndActivate(WindowId window) {
  ::ShowWindow(ToHwnd(window), SW_RESTORE);
  ::SetForegroundWindow(ToHwnd(window));
}

}  // namespace kva::win32
