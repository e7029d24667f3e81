#include "app/win32/Win32Session.h"

#include "platform/win32/WideText.h"

namespace kva::win32 {
namespace {

// Looked up at run time: older Windows versions do not have them.
template <typename Function>
Function User32Function(const char* name) {
  HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  return user32 ? reinterpret_cast<Function>(::GetProcAddress(user32, name)) : nullptr;
}

}  // namespace

void Win32Session::KeepAwake() {
  ::SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED);
}

bool Win32Session::BlockShutdown(std::u16string_view reason) {
  using Create = BOOL(WINAPI*)(HWND, LPCWSTR);
  const auto create = User32Function<Create>("ShutdownBlockReasonCreate");
  HWND window = shell_.MainWindowHandle();
  return create && window && create(window, Wide(reason).c_str());
}

bool Win32Session::UnblockShutdown() {
  using Destroy = BOOL(WINAPI*)(HWND);
  const auto destroy = User32Function<Destroy>("ShutdownBlockReasonDestroy");
  HWND window = shell_.MainWindowHandle();
  return destroy && window && destroy(window);
}

}  // namespace kva::win32
