#include "platform/win32/Win32Desktop.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/HostFacts.h"

namespace kva::win32 {
namespace {

constexpr wchar_t kClassName[] = L"KVA_DESKTOP_TEST_WND";

class Win32DesktopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    ASSERT_NE(::RegisterClassW(&windowClass), 0);
    window_ = ::CreateWindowExW(0, kClassName, L"Kelvara", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                nullptr, nullptr, windowClass.hInstance, nullptr);
    // Wine makes no window without a display; scripts/test gives it one.
    if (!window_) KVA_SKIP_WITHOUT_DISPLAY("no display to create windows on");
  }
  void TearDown() override {
    if (window_) ::DestroyWindow(window_);
    ::UnregisterClassW(kClassName, ::GetModuleHandleW(nullptr));
  }
  HWND window_ = nullptr;
};

TEST_F(Win32DesktopTest, FindsAndRestoresTheWindowOfAClass) {
  Win32Desktop desktop;
  const WindowId found = desktop.FindTopWindow(u"KVA_DESKTOP_TEST_WND");
  EXPECT_EQ(found, reinterpret_cast<UINT_PTR>(window_));
  EXPECT_FALSE(desktop.IsVisible(found));
  ::ShowWindow(window_, SW_MINIMIZE);
  desktop.RestoreAndActivate(found);
  EXPECT_TRUE(desktop.IsVisible(found));
  EXPECT_FALSE(::IsIconic(window_));
  EXPECT_EQ(desktop.FindTopWindow(u"KVA_NO_SUCH_WND"), kNoWindow);
}

}  // namespace
}  // namespace kva::win32
