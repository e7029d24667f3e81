#include "WindowDriver.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

#include "platform/Text.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WindowText.h"

namespace kva::ui::test {
namespace {

constexpr wchar_t kHelperClass[] = L"KVA_TEST_DRIVER";
constexpr UINT kTickMs = 20;
constexpr int kGiveUpTicks = 500;  // ten seconds without the window

struct Search {
  const std::wstring* className;
  HWND found = nullptr;
};

BOOL CALLBACK MatchClass(HWND window, LPARAM lParam) {
  auto& search = *reinterpret_cast<Search*>(lParam);
  wchar_t name[128] = {};
  ::GetClassNameW(window, name, static_cast<int>(std::size(name)));
  if (*search.className != name || !::IsWindowVisible(window)) return TRUE;
  search.found = window;
  return FALSE;
}

}  // namespace

WindowDriver::WindowDriver(std::wstring className, std::function<void(HWND)> step)
    : className_(std::move(className)), step_(std::move(step)) {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSW helperClass{};
  helperClass.lpfnWndProc = Proc;
  helperClass.hInstance = instance;
  helperClass.lpszClassName = kHelperClass;
  ::RegisterClassW(&helperClass);  // fails harmlessly the second time
  helper_.Reset(::CreateWindowExW(0, kHelperClass, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  instance, nullptr));
  ::SetWindowLongPtrW(helper_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  ::SetTimer(helper_.Get(), 1, kTickMs, nullptr);
}

WindowDriver::~WindowDriver() {
  helper_.Reset();
  // A driver that gave up left a quit message behind for the loop.
  MSG message;
  while (::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

void WindowDriver::Tick() {
  Search search{&className_};
  ::EnumThreadWindows(::GetCurrentThreadId(), MatchClass, reinterpret_cast<LPARAM>(&search));
  if (!search.found && ++ticks_ < kGiveUpTicks) return;
  ::KillTimer(helper_.Get(), 1);
  if (!search.found) {
    ADD_FAILURE() << "no visible window of class "
                  << Utf16ToUtf8(win32::FromWide(className_.c_str()));
    ::PostQuitMessage(0);  // ends the modal loop that waits for nothing
    return;
  }
  ran_ = true;
  step_(search.found);
}

LRESULT CALLBACK WindowDriver::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<WindowDriver*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_TIMER && self) {
    self->Tick();
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

std::u16string TextOf(HWND window) { return win32::WindowText(window); }

HWND FindChild(HWND parent, std::u16string_view text) {
  struct Find {
    std::u16string_view text;
    HWND found = nullptr;
  } find{text};
  ::EnumChildWindows(
      parent,
      [](HWND child, LPARAM lParam) -> BOOL {
        auto& f = *reinterpret_cast<Find*>(lParam);
        if (TextOf(child) != f.text) return TRUE;
        f.found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&find));
  return find.found;
}

std::u16string TipOf(HWND window, HWND control) {
  struct Find {
    HWND owner;
    HWND tips = nullptr;
  } find{window};
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND candidate, LPARAM lParam) -> BOOL {
        auto& f = *reinterpret_cast<Find*>(lParam);
        wchar_t name[64] = {};
        ::GetClassNameW(candidate, name, static_cast<int>(std::size(name)));
        if (std::wstring_view(name) != TOOLTIPS_CLASSW ||
            ::GetWindow(candidate, GW_OWNER) != f.owner) {
          return TRUE;
        }
        f.tips = candidate;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&find));
  if (!find.tips) return {};
  wchar_t text[1024] = {};
  TTTOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.hwnd = window;
  info.uId = reinterpret_cast<UINT_PTR>(control);
  info.lpszText = text;
  ::SendMessageW(find.tips, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&info));
  return win32::FromWide(text);
}

void ClickOn(HWND window, std::u16string_view text) {
  HWND control = FindChild(window, text);
  ASSERT_NE(control, nullptr) << "no control " << Utf16ToUtf8(text);
  ::PostMessageW(control, BM_CLICK, 0, 0);
}

void PressKey(HWND window, WPARAM virtualKey) { ::PostMessageW(window, WM_KEYDOWN, virtualKey, 0); }

}  // namespace kva::ui::test
