#include "platform/win32/Win32Desktop.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace kva::win32 {
namespace {

HWND ToHwnd(WindowId window) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(window)); }
WindowId ToId(HWND window) { return static_cast<WindowId>(reinterpret_cast<UINT_PTR>(window)); }

BOOL CALLBACK CollectTopWindow(HWND window, LPARAM found) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  WINDOWINFO info{};
  info.cbSize = sizeof(info);
  const bool active = ::GetWindowInfo(window, &info) && info.dwWindowStatus == WS_ACTIVECAPTION;
  reinterpret_cast<std::vector<TopWindow>*>(found)->push_back(
      {ToId(window), process, ::IsWindowVisible(window) != FALSE, active});
  return TRUE;
}

}  // namespace

WindowId Win32Desktop::FindTopWindow(std::u16string_view className) {
  return ToId(::FindWindowW(Wide(className).c_str(), nullptr));
}

bool Win32Desktop::IsVisible(WindowId window) { return ::IsWindowVisible(ToHwnd(window)); }

void Win32Desktop::RestoreAndActivate(WindowId window) {
  ::ShowWindow(ToHwnd(window), SW_RESTORE);
  ::SetForegroundWindow(ToHwnd(window));
}

void Win32Desktop::Restore(WindowId window) { ::ShowWindow(ToHwnd(window), SW_RESTORE); }

std::vector<TopWindow> Win32Desktop::TopWindows() {
  std::vector<TopWindow> found;
  ::EnumWindows(CollectTopWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

void Win32Desktop::PostDestroy(WindowId window) {
  ::PostMessageW(ToHwnd(window), WM_DESTROY, 0, 0);
}

}  // namespace kva::win32
